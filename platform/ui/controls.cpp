// SPDX-License-Identifier: MIT
// The control base (placement, visibility, containers) and the simple picture controls.
#include <algorithm>
#include <cmath>

#include "platform/ui/drawing.h"
#include "platform/ui/form.h"

namespace platform {

Control::Control(Form& form, Control* parent) : form_(form), parent_(parent) {
  if (parent_)
    parent_->children_.push_back(this);
  else
    form_.Register(this);
}

Control::~Control() {
  for (Control* child : children_) child->parent_ = nullptr;
  if (parent_)
    std::erase(parent_->children_, this);
  else
    form_.Unregister(this);
  if (form_.focus_ == static_cast<void*>(this)) form_.focus_ = nullptr;
  if (form_.ringAt_ == this) form_.ringAt_ = nullptr;
}

void Control::Move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  Changed();
}

void Control::Move(int left, int top) {
  Move(left, top, width_, height_);
}
void Control::SetWidth(int width) {
  Move(left_, top_, width, height_);
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Changed();
}

void Control::SetMouseIcon(const gfx::Surface& icon) {
  mouseIcon_ = icon;
}

namespace {
// A length in the parent's scale, in pixels. Positive sizes never vanish entirely.
int ToPixels(const Control* parent, int value, bool isSize) {
  if (!parent || !parent->ScaleTwips()) return value;
  const int pixels = static_cast<int>(std::lround(value / double(kTwipsPerPixel)));
  return isSize && value > 0 ? std::max(pixels, 1) : pixels;
}
}  // namespace

int Control::ScreenLeft() const {
  return (parent_ ? parent_->ScreenLeft() : 0) + ToPixels(parent_, left_, false);
}
int Control::ScreenTop() const {
  return (parent_ ? parent_->ScreenTop() : 0) + ToPixels(parent_, top_, false);
}
int Control::PixelWidth() const {
  return ToPixels(parent_, width_, true);
}
int Control::PixelHeight() const {
  return ToPixels(parent_, height_, true);
}

bool Control::ShownOnForm() const {
  return visible_ && (!parent_ || parent_->ShownOnForm());
}

void Control::Draw(gfx::Surface&, int, int, int, int) const {}

void Control::Changed() {
  form_.MarkDirty();
}

PictureBox::PictureBox(Form& form, Control* parent) : Control(form, parent) {}

void PictureBox::SetPicture(const gfx::Surface& picture) {
  image_ = picture;
  if (Width() == 0 && Height() == 0) Move(Left(), Top(), image_.width(), image_.height());
  Changed();
}

void PictureBox::SetBackColor(gfx::Pixel colour) {
  backColor_ = colour;
  Changed();
}

void PictureBox::SetBorder(bool border, gfx::Pixel colour) {
  border_ = border;
  borderColor_ = colour;
  Changed();
}

void PictureBox::Draw(gfx::Surface& target, int x, int y, int w, int h) const {
  if (image_.width() < w || image_.height() < h)
    detail::FillClipped(target, {x, y, w, h}, backColor_);
  detail::BlitClipped(target, x, y, w, h, image_);
  if (border_) detail::FrameClipped(target, {x, y, w, h}, borderColor_);
}

Image::Image(Form& form, Control* parent) : Control(form, parent) {}

void Image::SetPicture(const gfx::Surface& picture) {
  picture_ = picture;
  if (Width() == 0 && Height() == 0) Move(Left(), Top(), picture_.width(), picture_.height());
  Changed();
}

void Image::Draw(gfx::Surface& target, int x, int y, int w, int h) const {
  detail::BlitClipped(target, x, y, w, h, picture_);
}

Shape::Shape(Form& form, Control* parent) : Control(form, parent) {}

void Shape::SetFillColor(gfx::Pixel colour) {
  fillColor_ = colour;
  filled_ = true;
  Changed();
}
void Shape::SetBorder(bool border) {
  border_ = border;
  Changed();
}

void Shape::Draw(gfx::Surface& target, int x, int y, int w, int h) const {
  if (filled_) detail::FillClipped(target, {x, y, w, h}, fillColor_);
  if (border_) detail::FrameClipped(target, {x, y, w, h}, gfx::kBlack);
}

}  // namespace platform
