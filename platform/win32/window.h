// SPDX-License-Identifier: MIT
// The desktop window behind a visible form in the Win32 backend: a fixed-size top-level
// window whose client area is the form's size at the monitor's scale (or the whole
// monitor, in full screen), and a DIB section that holds the form's last composed frame,
// put on the screen scaled on WM_PAINT.
#pragma once

#include <string>

#include "platform/ui/form.h"

// After the layer's headers: the desktop's headers define some of their names as macros.
#include <windows.h>

namespace platform::win32 {

class Window {
 public:
  explicit Window(Form& form);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  bool Ok() const { return handle_ && bits_; }
  HWND Handle() const { return handle_; }
  Form& Owner() const { return form_; }
  // Brings size, caption and icon up to date, composes the frame into the DIB section
  // and paints it at once.
  void Present();
  void Hide();
  // The form is gone: the window takes no more messages for it and only waits to go.
  void Detach();
  // WM_PAINT: puts the last frame on the screen, scaled into the client area.
  void Paint();
  // A position in the client area as a pixel of the form; false on the bars around it.
  bool ToFrame(int& x, int& y) const;
  // F11 and Alt+Enter: the whole monitor, or the window as it was.
  void ToggleFullScreen();
  // WM_DPICHANGED: the window moved to a monitor of another scale.
  void ScaleChanged(int dpi, const RECT& suggested);
  // Notes how the player left a screen's window (full screen, or its place), so that the
  // next screen opens the same way; within this run only.
  void RememberPlacement() const;

 private:
  void MakeBitmap(int width, int height);
  void FreeBitmap();
  void SyncSize();
  void SyncCaptionAndIcon();
  void Place();
  RECT ViewRect() const;
  bool IsScreen() const;

  Form& form_;
  HWND handle_ = nullptr;
  HDC memory_ = nullptr;  // holds the DIB section
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previousBitmap_ = nullptr;
  void* bits_ = nullptr;
  int width_ = 0, height_ = 0;
  bool shown_ = false;
  double scale_ = 1.0;  // the monitor's DPI over 96
  bool fullScreen_ = false;
  RECT windowed_{};  // the window's place before full screen
  std::string caption_;
  gfx::Surface iconPicture_, frame_;
  HICON icon_ = nullptr;
};

// Whether windows can be made at all: false when there is no desktop to show them on
// (under Wine, no display).
bool DesktopAvailable();

// The pointer for a control (or the arrow for the bare window). A custom pointer is made
// from the control's 32 x 32 picture; the colour of its top-left pixel is transparent.
HCURSOR PointerFor(const Control* control);
// A window icon made from a picture, or (pointer true) a pointer whose hot spot is the
// top-left corner and whose top-left colour is transparent.
HICON MakeIcon(const gfx::Surface& picture, bool pointer);
void FreePointers();

}  // namespace platform::win32
