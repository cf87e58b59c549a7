// SPDX-License-Identifier: MIT
#include "platform/ui/form.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/backend.h"
#include "platform/ui/drawing.h"

namespace platform {

Form::Form() {
  detail::AddLiveForm(this);
}

Form::~Form() {
  if (detail::BackendImpl* backend = detail::ChosenBackend()) backend->Destroyed(*this);
  detail::RemoveLiveForm(this);
}

void Form::Show() {
  if (closing_) return;  // a closed instance is gone; Instance<T>() makes a new one
  detail::SetActiveForm(this);
  if (!loaded_) {
    loaded_ = true;
    loading_ = true;
    hiddenInLoad_ = false;
    detail::StartFormTimers(*this);
    {
      detail::HandlerScope scope;
      Load();
    }
    loading_ = false;
    // A form that hides itself while loading is never seen.
    if (closing_ || hiddenInLoad_) return;
  }
  if (!visible_) {
    visible_ = true;
    dirty_ = true;
  }
}

void Form::Hide() {
  if (loading_) hiddenInLoad_ = true;
  if (!visible_) return;
  visible_ = false;
  if (detail::BackendImpl* backend = detail::ChosenBackend()) backend->Hidden(*this);
}

void Form::Close() {
  if (closing_) return;
  closing_ = true;
  Hide();
  for (Timer* timer : timers_) timer->SetEnabled(false);
  focus_ = nullptr;
  ringAt_ = nullptr;
  if (loaded_) {
    detail::HandlerScope scope;
    Unload();
  }
  if (!detail::RetireInstance(this)) {
    // A form its caller owns stays usable: the next Show loads it again.
    closing_ = false;
    loaded_ = false;
  }
}

void Form::RequestClose() {
  if (!visible_ || closing_) return;
  {
    detail::HandlerScope scope;
    QueryUnload();
  }
  const auto& forms = detail::LiveForms();
  if (std::none_of(forms.begin(), forms.end(), [](const Form* form) { return form->Visible(); }))
    EndProgram();
}

void Form::SetEnabled(bool enabled) {
  enabled_ = enabled;
}

void Form::SetCaption(const std::string& caption) {
  caption_ = caption;
  dirty_ = true;
}

void Form::SetClientSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == image_.width() && height == image_.height()) return;
  // The drawing so far is kept where it still fits; new area starts as after Cls.
  gfx::Surface old = std::move(image_);
  image_ = gfx::Surface(width, height, backColor_);
  detail::BlitClipped(image_, 0, 0, picture_.width(), picture_.height(), picture_);
  detail::BlitClipped(image_, 0, 0, old.width(), old.height(), old);
  dirty_ = true;
}

void Form::SetSizeTwips(int widthTwips, int heightTwips) {
  SetClientSize(widthTwips / kTwipsPerPixel, heightTwips / kTwipsPerPixel);
}

void Form::SetBackColor(gfx::Pixel colour) {
  backColor_ = colour;
  Cls();
}

void Form::SetPicture(const gfx::Surface& picture) {
  picture_ = picture;
  Cls();
}

void Form::SetIcon(const gfx::Surface& icon) {
  icon_ = icon;
  dirty_ = true;
}

void Form::Cls() {
  image_.fill(backColor_);
  detail::BlitClipped(image_, 0, 0, picture_.width(), picture_.height(), picture_);
  dirty_ = true;
}

void Form::Refresh() {
  dirty_ = true;
}

namespace {

void DrawTree(const Control& control, gfx::Surface& frame, const detail::Rect& clip) {
  if (!control.Visible()) return;
  const detail::Rect r{control.ScreenLeft(), control.ScreenTop(), control.PixelWidth(),
                       control.PixelHeight()};
  {
    detail::ClipScope scope(clip);
    control.Draw(frame, r.x, r.y, r.w, r.h);
  }
  const detail::Rect inner = detail::Intersect(clip, r);
  for (const Control* child : control.Children()) DrawTree(*child, frame, inner);
}

Control* HitTree(Control& control, int x, int y) {
  if (!control.Visible()) return nullptr;
  const detail::Rect r{control.ScreenLeft(), control.ScreenTop(), control.PixelWidth(),
                       control.PixelHeight()};
  if (!r.contains(x, y)) return nullptr;
  const auto& children = control.Children();
  for (auto it = children.rbegin(); it != children.rend(); ++it)
    if (Control* hit = HitTree(**it, x, y)) return hit;
  return control.TakesMouse() ? &control : nullptr;
}

}  // namespace

gfx::Surface Form::Compose() const {
  gfx::Surface frame;
  ComposeInto(frame);
  return frame;
}

void Form::ComposeInto(gfx::Surface& frame) const {
  if (frame.width() != image_.width() || frame.height() != image_.height())
    frame = gfx::Surface(image_.width(), image_.height());
  for (int y = 0; y < image_.height(); ++y)
    std::memcpy(frame.row(y), image_.row(y),
                static_cast<std::size_t>(image_.width()) * sizeof(gfx::Pixel));
  const detail::Rect all{0, 0, frame.width(), frame.height()};
  for (const Control* control : controls_) DrawTree(*control, frame, all);
  DrawFocusRing(frame);
}

Control* Form::HitControl(int x, int y) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
    if (Control* hit = HitTree(**it, x, y)) return hit;
  return nullptr;
}

Control* Form::ControlAt(int x, int y) const {
  Control* hit = HitControl(x, y);
  return hit && hit->OnClick ? hit : nullptr;
}

bool Form::TakesInput() const {
  const Form* modal = detail::ModalForm();
  return enabled_ && visible_ && !closing_ && (!modal || modal == this);
}

void Form::DeliverPress(int button, float x, float y) {
  if (!TakesInput()) return;
  detail::SetActiveForm(this);
  detail::HandlerScope scope;
  if (Control* hit = HitControl(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)))) {
    if (button != 1) return;
    if (auto* box = dynamic_cast<TextBox*>(hit)) box->SetFocus();
    if (hit->OnClick) {
      auto handler = hit->OnClick;  // the handler may replace itself
      handler();
    }
    return;
  }
  MouseDown(button, 0, x, y);
  if (button == 1 && !closing_) Click();
}

void Form::DeliverKey(Key key, int shift) {
  if ((key == Key::F11 && shift == 0) || (key == Key::Enter && shift == kAltMask)) {
    // The screen's window, never a message box over it.
    if (!detail::ModalForm() && visible_ && !closing_)
      if (detail::BackendImpl* backend = detail::ChosenBackend()) backend->ToggleFullScreen(*this);
    return;
  }
  if (Form* modal = detail::ModalForm(); modal && modal != this) {
    modal->DeliverKey(key, shift);
    return;
  }
  if (!TakesInput()) return;
  detail::HandlerScope scope;
  if (key == Key::Tab && !(shift & (kCtrlMask | kAltMask))) {
    MoveFocusRing((shift & kShiftMask) != 0);
    return;
  }
  if (focus_ && focus_->ShownOnForm()) {
    focus_->PressKey(key, shift);
    return;
  }
  Control* focused = FocusedControl();
  if (ringShown_ && focused && focused->OnClick && (key == Key::Enter || key == Key::Space)) {
    auto handler = focused->OnClick;  // the handler may replace itself
    handler();
    return;
  }
  KeyDown(key, shift);
}
void Form::DeliverText(const std::string& utf8) {
  if (!TakesInput() || !focus_ || !focus_->ShownOnForm()) return;
  detail::HandlerScope scope;
  focus_->TypeText(utf8);
}

namespace {

bool TakesFocus(const Control& control) {
  return control.TabStop() && control.ShownOnForm() &&
         (control.OnClick || dynamic_cast<const TextBox*>(&control));
}

void CollectFocusable(Control& control, std::vector<Control*>& ring) {
  if (!control.Visible()) return;
  if (TakesFocus(control)) ring.push_back(&control);
  for (Control* child : control.Children()) CollectFocusable(*child, ring);
}

}  // namespace

Control* Form::FocusedControl() const {
  if (focus_ && focus_->ShownOnForm()) return focus_;
  return ringAt_ && TakesFocus(*ringAt_) ? ringAt_ : nullptr;
}

void Form::HideFocusRing() {
  if (!ringShown_) return;
  ringShown_ = false;
  dirty_ = true;
}

// From the focused control to the next one (or the previous), wrapping round; with none
// focused the first Tab lands on the first control, Shift+Tab on the last.
void Form::MoveFocusRing(bool backwards) {
  std::vector<Control*> ring;
  for (Control* control : controls_) CollectFocusable(*control, ring);
  ringShown_ = true;
  dirty_ = true;
  if (ring.empty()) return;
  const auto at = std::find(ring.begin(), ring.end(), FocusedControl());
  const int count = static_cast<int>(ring.size());
  int index = backwards ? count - 1 : 0;
  if (at != ring.end()) {
    const int current = static_cast<int>(at - ring.begin());
    index = (current + (backwards ? count - 1 : 1)) % count;
  }
  ringAt_ = ring[static_cast<std::size_t>(index)];
  focus_ = dynamic_cast<TextBox*>(ringAt_);
}

// Black, white and black lines just outside the control, so they hide none of it: one of
// them stands out on any background.
void Form::DrawFocusRing(gfx::Surface& frame) const {
  const Control* focused = ringShown_ ? FocusedControl() : nullptr;
  if (!focused) return;
  detail::Rect r{focused->ScreenLeft() - 3, focused->ScreenTop() - 3, focused->PixelWidth() + 6,
                 focused->PixelHeight() + 6};
  detail::ClipScope clip({0, 0, frame.width(), frame.height()});
  for (const gfx::Pixel colour : {gfx::kBlack, gfx::kWhite, gfx::kBlack}) {
    detail::FrameClipped(frame, r, colour);
    r = {r.x + 1, r.y + 1, r.w - 2, r.h - 2};
  }
}

void Form::Register(Control* control) {
  controls_.push_back(control);
}

void Form::Unregister(Control* control) {
  std::erase(controls_, control);
}

}  // namespace platform
