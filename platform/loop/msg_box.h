// SPDX-License-Identifier: MIT
// The message box of the backends that have none of their own: a small window drawn with
// our own forms, fonts and pictures, so it appears wherever our windows do. It shows the
// title, an icon, the text wrapped to a readable width and an OK button; OK, Enter, Space
// and Escape close it, and so does closing its window.
#pragma once

#include <functional>
#include <string>

#include "platform/loop/system.h"
#include "platform/ui/form.h"

namespace platform {

class MsgBoxForm : public Form {
 public:
  MsgBoxForm(const std::string& text, const std::string& title, MsgBoxIcon icon);

  Shape shpBand;            // the grey band the button stands on
  platform::Image imgIcon;  // no picture without an icon
  Label lblText;
  PictureBox cmdOK;  // the button, with its caption
  Label lblOK;

  // What the button does.
  void OkClick();

 protected:
  void KeyDown(Key key, int shift) override;

 private:
  void LayOut(bool withIcon);
};

namespace detail {

// Shows a box modally and returns once it is closed: wait runs the backend's loop until
// something happens (an event, a posted message) and handles it. While the box is shown
// no timer ticks and no other form takes input. A box is not shown once the program is
// ending (nor is one left open when that happens): its text goes to stderr instead.
void RunMsgBox(const std::string& text, const std::string& title, MsgBoxIcon icon,
               const std::function<void(MsgBoxForm& box)>& wait);

// The 32 x 32 icon on a white ground; an empty picture for MsgBoxIcon::None.
gfx::Surface MsgBoxIconPicture(MsgBoxIcon icon);

}  // namespace detail
}  // namespace platform
