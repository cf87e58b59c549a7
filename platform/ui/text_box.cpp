// SPDX-License-Identifier: MIT
// The one-line text box: editing at a caret, and drawing that scrolls the text so the
// caret stays in view.
#include <algorithm>

#include "platform/backend.h"
#include "platform/ui/fonts.h"
#include "platform/ui/form.h"

namespace platform {
namespace {

constexpr int kPadding = 3;
constexpr gfx::Pixel kBorder = gfx::Rgb(122, 122, 122);
constexpr gfx::Pixel kSelection = gfx::Rgb(0, 120, 215);

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

int PreviousBoundary(const std::string& text, int pos) {
  do --pos;
  while (pos > 0 && IsContinuation(text[pos]));
  return std::max(pos, 0);
}

int NextBoundary(const std::string& text, int pos) {
  const int size = static_cast<int>(text.size());
  do ++pos;
  while (pos < size && IsContinuation(text[pos]));
  return std::min(pos, size);
}

struct RenderedText {
  std::string text;
  detail::FontSpec font;
  detail::Mask mask;
  int caretX = 0, anchorX = 0;
  int caret = -1, anchor = -1;
};

}  // namespace

TextBox::TextBox(Form& form, Control* parent) : Control(form, parent) {}

void TextBox::SetText(const std::string& text) {
  text_ = text;
  caret_ = anchor_ = static_cast<int>(text_.size());
  Changed();
}

std::string TextBox::SelectedText() const {
  const auto [from, to] = std::minmax(caret_, anchor_);
  return text_.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

bool TextBox::DeleteSelection() {
  if (caret_ == anchor_) return false;
  const auto [from, to] = std::minmax(caret_, anchor_);
  text_.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
  caret_ = anchor_ = from;
  return true;
}

void TextBox::SetFocus() {
  Owner().focus_ = this;
  Owner().ringAt_ = this;
  Changed();
}

bool TextBox::HasFocus() const {
  return Owner().focus_ == this;
}

void TextBox::SetFont(const std::string& name, double points, bool bold) {
  fontName_ = name;
  points_ = points;
  bold_ = bold;
  Changed();
}

void TextBox::TypeText(const std::string& utf8) {
  std::string typed;
  for (char c : utf8)
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) typed += c;  // no control codes
  if (typed.empty()) return;
  DeleteSelection();
  text_.insert(static_cast<std::size_t>(caret_), typed);
  caret_ += static_cast<int>(typed.size());
  anchor_ = caret_;
  Changed();
}

// Caret keys; with Shift the anchor stays and the selection grows or shrinks.
bool TextBox::MoveCaret(Key key, int shift) {
  const int size = static_cast<int>(text_.size());
  const bool extend = (shift & kShiftMask) != 0;
  if (!extend && caret_ != anchor_ && (key == Key::Left || key == Key::Right)) {
    // Left or Right without Shift leaves the selection at its own edge.
    const auto [from, to] = std::minmax(caret_, anchor_);
    caret_ = anchor_ = key == Key::Left ? from : to;
    return true;
  }
  switch (key) {
    case Key::Left:
      if (caret_ > 0) caret_ = PreviousBoundary(text_, caret_);
      break;
    case Key::Right:
      if (caret_ < size) caret_ = NextBoundary(text_, caret_);
      break;
    case Key::Home:
      caret_ = 0;
      break;
    case Key::End:
      caret_ = size;
      break;
    default:
      return false;
  }
  if (!extend) anchor_ = caret_;
  return true;
}

void TextBox::PressKey(Key key, int shift) {
  if (OnKeyDown) {
    auto handler = OnKeyDown;  // the handler may replace itself
    handler(key);
  }
  const bool ctrl = (shift & kCtrlMask) != 0;
  if (ctrl && key == Key::A) {
    anchor_ = 0;
    caret_ = static_cast<int>(text_.size());
  } else if (ctrl && key == Key::V) {
    if (detail::BackendImpl* backend = detail::ChosenBackend()) TypeText(backend->ClipboardText());
    return;
  } else if (key == Key::Backspace || key == Key::Delete) {
    if (!DeleteSelection()) {
      const bool back = key == Key::Backspace;
      const int from = back ? (caret_ > 0 ? PreviousBoundary(text_, caret_) : 0) : caret_;
      const int to =
          back ? caret_
               : (caret_ < static_cast<int>(text_.size()) ? NextBoundary(text_, caret_) : caret_);
      text_.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
      caret_ = anchor_ = from;
    }
  } else if (!MoveCaret(key, shift)) {
    return;
  }
  Changed();
}

void TextBox::Draw(gfx::Surface& target, int x, int y, int w, int h) const {
  const detail::FontSpec font{fontName_, points_, bold_, false};
  auto* cached = static_cast<RenderedText*>(cache_.get());
  if (!cached || cached->text != text_ || !(cached->font == font) || cached->caret != caret_ ||
      cached->anchor != anchor_) {
    auto rendered = std::make_shared<RenderedText>();
    rendered->text = text_;
    rendered->font = font;
    rendered->mask = detail::RenderLine(font, text_);
    rendered->caret = caret_;
    rendered->anchor = anchor_;
    rendered->caretX = detail::TextWidth(font, text_.substr(0, static_cast<std::size_t>(caret_)));
    rendered->anchorX = detail::TextWidth(font, text_.substr(0, static_cast<std::size_t>(anchor_)));
    cache_ = rendered;
    cached = rendered.get();
  }
  const detail::Rect box = detail::Intersect(detail::CurrentClip(), {x, y, w, h});
  detail::FillClipped(target, box, gfx::kWhite);
  detail::FrameClipped(target, {x, y, w, h}, kBorder);
  const int lineHeight = detail::LineHeight(font);
  const int inner = std::max(w - 2 * kPadding, 1);
  const int scroll = std::max(0, cached->caretX - inner + 1);  // keep the caret in view
  const int textX = x + kPadding - scroll, textY = y + (h - lineHeight) / 2;
  detail::ClipScope clip(detail::Intersect(box, {x + 1, y + 1, w - 2, h - 2}));
  detail::BlendMaskClipped(target, textX, textY, cached->mask, gfx::kBlack);
  if (caret_ != anchor_) {
    // The selected characters in white on the selection colour.
    const auto [from, to] = std::minmax(cached->caretX, cached->anchorX);
    const detail::Rect selected{textX + from, textY, to - from, lineHeight};
    detail::FillClipped(target, selected, kSelection);
    detail::ClipScope inSelection(detail::Intersect(detail::CurrentClip(), selected));
    detail::BlendMaskClipped(target, textX, textY, cached->mask, gfx::kWhite);
  }
  if (HasFocus())
    detail::FillClipped(target, {textX + cached->caretX, textY, 1, lineHeight}, gfx::kBlack);
}

}  // namespace platform
