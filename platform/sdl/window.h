// SPDX-License-Identifier: MIT
// The OS window behind a visible form in the SDL backend: a window, its renderer and a
// streaming texture that receives the composed frame.
#pragma once

#include <SDL2/SDL.h>

#include <string>

#include "platform/ui/form.h"

namespace platform::detail {

class SdlWindow {
 public:
  explicit SdlWindow(const Form& form);
  ~SdlWindow();
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  bool Ok() const { return renderer_ && texture_; }
  Uint32 Id() const { return id_; }
  SDL_Window* Handle() const { return window_; }
  // Brings size, caption and icon up to date, then shows the form's composed frame.
  void Present(const Form& form);
  void Hide();
  // F11 and Alt+Enter: full screen (the picture scaled with its shape kept) or a window.
  void ToggleFullScreen();
  // Notes how the player left a screen's window (full screen, maximised, or size and
  // place), so that the next screen opens the same way; within this run only.
  void RememberPlacement() const;

 private:
  void SyncSize(const Form& form);
  void SyncCaptionAndIcon(const Form& form);
  void Place();
  bool IsScreen() const;

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  Uint32 id_ = 0;
  int width_ = 0, height_ = 0;
  bool shown_ = false;
  bool background_ = false;  // the frame it was mapped with is its background picture
  std::string caption_;
  gfx::Surface icon_, frame_;
};

// The pointer for a control (or the arrow for the bare window). A custom pointer is made
// from the control's 32 x 32 picture; the colour of its top-left pixel is transparent.
void SetPointerFor(const Control* control);
void FreePointers();

}  // namespace platform::detail
