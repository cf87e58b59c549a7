// SPDX-License-Identifier: MIT
// Labels: the caption is laid out into lines (wrapped at word boundaries within the width
// unless the label sizes itself to one line), rendered once, and kept until the text,
// font or width changes. The colour is applied when drawing, so a colour change re-uses it.
#include <algorithm>

#include "platform/ui/fonts.h"
#include "platform/ui/form.h"

namespace platform {

namespace {

struct Line {
  detail::Mask mask;
  int width = 0;
};

struct LabelLayout {
  std::string text;
  detail::FontSpec font;
  int wrapWidth = -1;  // -1: no wrapping
  int lineHeight = 0;
  std::vector<Line> lines;
  int Width() const {
    int w = 0;
    for (const Line& line : lines) w = std::max(w, line.width);
    return w;
  }
  int Height() const { return lineHeight * static_cast<int>(lines.size()); }
};

// Splits text into lines no wider than width where word breaks allow; a single word wider
// than the width stays on its own line.
std::vector<std::string> WrapText(const detail::FontSpec& font, const std::string& text,
                                  int width) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t newline = std::min(text.find('\n', start), text.size());
    const std::string paragraph = text.substr(start, newline - start);
    std::string line;
    std::size_t pos = 0;
    while (pos < paragraph.size()) {
      const std::size_t space = std::min(paragraph.find(' ', pos), paragraph.size());
      const std::string word = paragraph.substr(pos, space - pos);
      const std::string candidate = line.empty() ? word : line + " " + word;
      if (width >= 0 && !line.empty() && detail::TextWidth(font, candidate) > width) {
        lines.push_back(line);
        line = word;
      } else {
        line = candidate;
      }
      pos = space + 1;
    }
    lines.push_back(line);
    start = newline + 1;
  }
  return lines;
}

}  // namespace

class Text {
 public:
  static detail::FontSpec Font(const Label& label) {
    return {label.fontName_, label.points_, label.bold_, label.underline_};
  }
  // Labels that size themselves to one line do not wrap; the others wrap within their width.
  static int WrapWidth(const Label& label) {
    return label.autoSize_ && !label.wordWrap_ ? -1 : label.PixelWidth();
  }
  static const LabelLayout& Layout(const Label& label) {
    const std::string text = label.DisplayText();
    const detail::FontSpec font = Font(label);
    const int wrap = WrapWidth(label);
    auto* cached = static_cast<LabelLayout*>(label.cache_.get());
    if (cached && cached->text == text && cached->font == font && cached->wrapWidth == wrap)
      return *cached;
    auto layout = std::make_shared<LabelLayout>();
    layout->text = text;
    layout->font = font;
    layout->wrapWidth = wrap;
    layout->lineHeight = detail::LineHeight(font);
    for (const std::string& line : WrapText(font, text, wrap))
      layout->lines.push_back({detail::RenderLine(font, line), detail::TextWidth(font, line)});
    label.cache_ = layout;
    return *layout;
  }
  // Autosize: the label takes its text's size, growing to the right (or, wrapped, down).
  static void FitToText(Label& label) {
    if (!label.autoSize_) return;
    const LabelLayout& layout = Layout(label);
    const int scale = label.Parent() && label.Parent()->ScaleTwips() ? kTwipsPerPixel : 1;
    const int width = label.wordWrap_ ? label.Width() : layout.Width() * scale;
    label.Move(label.Left(), label.Top(), width, layout.Height() * scale);
  }
};

Label::Label(Form& form, Control* parent) : Control(form, parent) {}

void Label::SetCaption(const std::string& caption) {
  caption_ = caption;
  Text::FitToText(*this);
  Changed();
}

void Label::SetFont(const std::string& name, double points, bool bold, bool underline) {
  fontName_ = name;
  points_ = points;
  bold_ = bold;
  underline_ = underline;
  Text::FitToText(*this);
  Changed();
}

void Label::SetForeColor(gfx::Pixel colour) {
  foreColor_ = colour;
  Changed();
}

void Label::SetBackColor(gfx::Pixel colour) {
  backColor_ = colour;
  transparent_ = false;
  Changed();
}

void Label::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Changed();
}

void Label::SetAlignment(Alignment alignment) {
  alignment_ = alignment;
  Changed();
}

void Label::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  Text::FitToText(*this);
  Changed();
}

void Label::SetWordWrap(bool wordWrap) {
  wordWrap_ = wordWrap;
  Text::FitToText(*this);
  Changed();
}

// "&&" shows one ampersand; a single "&" marks an access key and is not shown.
std::string Label::DisplayText() const {
  std::string shown;
  for (std::size_t i = 0; i < caption_.size(); ++i) {
    if (caption_[i] == '&' && i + 1 < caption_.size()) {
      if (caption_[i + 1] == '&') shown += '&';
      ++i;
      if (caption_[i] != '&') shown += caption_[i];
      continue;
    }
    shown += caption_[i];
  }
  return shown;
}

int Label::TextWidth() const {
  return Text::Layout(*this).Width();
}

int Label::TextHeight() const {
  return Text::Layout(*this).Height();
}

void Label::Draw(gfx::Surface& target, int x, int y, int w, int h) const {
  const detail::Rect area = detail::Intersect(detail::CurrentClip(), {x, y, w, h});
  if (!transparent_) detail::FillClipped(target, area, backColor_);
  const LabelLayout& layout = Text::Layout(*this);
  // Lines stay within the label's height; a word a pixel or two wider than the label (our
  // fonts' widths differ slightly from the desktop's) is drawn whole rather than cut.
  const detail::Rect& container = detail::CurrentClip();
  detail::ClipScope clip(detail::Intersect(container, {container.x, y, container.w, h}));
  int top = y;
  for (const Line& line : layout.lines) {
    const int left = alignment_ == Alignment::Centre ? x + (w - line.width) / 2 : x;
    detail::BlendMaskClipped(target, left, top, line.mask, foreColor_);
    top += layout.lineHeight;
  }
}

}  // namespace platform
