// SPDX-License-Identifier: MIT
#include "platform/loop/msg_box.h"

#include <algorithm>
#include <iostream>

#include "platform/backend.h"

namespace platform {
namespace {

constexpr int kMargin = 24, kTop = 22;
constexpr int kIconSize = 32, kIconGap = 12;
// Longer texts wrap: a line of about 60 characters still reads in one sweep.
constexpr int kMaxTextWidth = 400;
constexpr int kMinWidth = 200;
constexpr int kButtonWidth = 75, kButtonHeight = 23, kBandPadding = 11;
constexpr gfx::Pixel kBandColour = gfx::Rgb(240, 240, 240);
constexpr gfx::Pixel kButtonFace = gfx::Rgb(225, 225, 225);
constexpr gfx::Pixel kDefaultButtonBorder = gfx::Rgb(0, 120, 215);

// A label shows "&&" as "&"; a message shows every character as it is.
std::string Literal(const std::string& text) {
  std::string caption;
  for (const char c : text) caption += c == '&' ? std::string("&&") : std::string(1, c);
  return caption;
}

}  // namespace

MsgBoxForm::MsgBoxForm(const std::string& text, const std::string& title, MsgBoxIcon icon)
    : shpBand(*this), imgIcon(*this), lblText(*this), cmdOK(*this), lblOK(*this, &cmdOK) {
  SetCaption(title);
  SetBackColor(gfx::kWhite);
  shpBand.SetFillColor(kBandColour);
  shpBand.SetBorder(false);
  const gfx::Surface picture = detail::MsgBoxIconPicture(icon);
  if (!picture.empty()) imgIcon.SetPicture(picture);
  lblText.SetFont("Arial", 9);
  lblText.SetCaption(Literal(text));
  cmdOK.SetBackColor(kButtonFace);
  cmdOK.SetBorder(true, kDefaultButtonBorder);
  cmdOK.OnClick = [this] { OkClick(); };
  lblOK.SetFont("Arial", 9);
  lblOK.SetCaption("OK");
  lblOK.SetAlignment(Alignment::Centre);
  lblOK.OnClick = [this] { OkClick(); };
  LayOut(!picture.empty());
}

void MsgBoxForm::LayOut(bool withIcon) {
  const int textLeft = withIcon ? kMargin + kIconSize + kIconGap : kMargin;
  lblText.SetAutoSize(true);  // first on one line, to learn the text's natural width
  lblText.Move(textLeft, kTop, std::min(lblText.Width(), kMaxTextWidth), lblText.Height());
  lblText.SetWordWrap(true);  // then wrapped within that width, as tall as its lines
  const int contentHeight = std::max(withIcon ? kIconSize : 0, lblText.Height());
  // A short text stands level with the middle of the icon.
  lblText.Move(textLeft, kTop + (contentHeight - lblText.Height()) / 2);
  imgIcon.Move(kMargin, kTop, kIconSize, kIconSize);

  // A single word too long for a line is shown whole.
  const int textWidth = std::max(lblText.Width(), lblText.TextWidth());
  const int width = std::max(textLeft + textWidth + kMargin, kMinWidth);
  const int bandTop = kTop + contentHeight + kTop;
  const int height = bandTop + kBandPadding + kButtonHeight + kBandPadding;
  SetClientSize(width, height);
  shpBand.Move(0, bandTop, width, height - bandTop);
  cmdOK.Move((width - kButtonWidth) / 2, bandTop + kBandPadding, kButtonWidth, kButtonHeight);
  lblOK.Move(0, 0, kButtonWidth, kButtonHeight);
  lblOK.Move(0, (kButtonHeight - lblOK.TextHeight()) / 2, kButtonWidth, lblOK.TextHeight());
}

void MsgBoxForm::OkClick() {
  Close();
}

void MsgBoxForm::KeyDown(Key key, int /*shift*/) {
  if (key == Key::Enter || key == Key::Space || key == Key::Escape) OkClick();
}

namespace detail {

void RunMsgBox(const std::string& text, const std::string& title, MsgBoxIcon icon,
               const std::function<void(MsgBoxForm& box)>& wait) {
  if (EndRequested()) {
    std::cerr << title << ": " << text << "\n";
    return;
  }
  MsgBoxForm box(text, title, icon);
  {
    ModalScope modal(box);
    box.Show();
    while (box.Visible() && !EndRequested()) {
      DoEvents();
      if (box.Visible()) wait(box);
    }
    if (box.Visible()) box.Close();  // the program is ending
  }
  DoEvents();  // the box's window goes at once
}

}  // namespace detail
}  // namespace platform
