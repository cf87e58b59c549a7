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

void Form::DeliverKey(Key key) {
  if (Form* modal = detail::ModalForm(); modal && modal != this) {
    modal->DeliverKey(key);
    return;
  }
  if (!TakesInput()) return;
  detail::HandlerScope scope;
  if (focus_ && focus_->ShownOnForm())
    focus_->PressKey(key);
  else
    KeyDown(key);
}

void Form::DeliverText(const std::string& utf8) {
  if (!TakesInput() || !focus_ || !focus_->ShownOnForm()) return;
  detail::HandlerScope scope;
  focus_->TypeText(utf8);
}

void Form::Register(Control* control) {
  controls_.push_back(control);
}

void Form::Unregister(Control* control) {
  std::erase(controls_, control);
}

}  // namespace platform
