#include "platform/sdl/window.h"

#include <iostream>

namespace platform::detail {
namespace {

// A surface that borrows the pixels of a gfx surface (0x00RRGGBB rows).
SDL_Surface* BorrowSurface(const gfx::Surface& surface) {
  return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<gfx::Pixel*>(surface.row(0)),
                                            surface.width(), surface.height(), 32,
                                            surface.stride() * 4, SDL_PIXELFORMAT_RGB888);
}

}  // namespace

SdlWindow::SdlWindow(const Form& form)
    : width_(std::max(form.ClientWidth(), 1)), height_(std::max(form.ClientHeight(), 1)) {
  window_ = SDL_CreateWindow(form.Caption().c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             width_, height_, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  if (!window_) {
    std::cerr << "Cannot open a window: " << SDL_GetError() << "\n";
    return;
  }
  id_ = SDL_GetWindowID(window_);
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (!renderer_) {
    std::cerr << "Cannot draw in a window: " << SDL_GetError() << "\n";
    return;
  }
  SyncSize(form);
}

SdlWindow::~SdlWindow() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
}

void SdlWindow::SyncSize(const Form& form) {
  const int width = std::max(form.ClientWidth(), 1), height = std::max(form.ClientHeight(), 1);
  if (texture_ && width == width_ && height == height_) return;
  if (width != width_ || height != height_) SDL_SetWindowSize(window_, width, height);
  width_ = width;
  height_ = height;
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                               width_, height_);
  if (!texture_) std::cerr << "Cannot draw in a window: " << SDL_GetError() << "\n";
  // The picture keeps its size in logical pixels and is scaled with its aspect kept when
  // the window is resized; mouse positions come back in logical pixels.
  SDL_RenderSetLogicalSize(renderer_, width_, height_);
}

void SdlWindow::SyncCaptionAndIcon(const Form& form) {
  if (form.Caption() != caption_) {
    caption_ = form.Caption();
    SDL_SetWindowTitle(window_, caption_.c_str());
  }
  if (!form.Icon().empty() && !(form.Icon() == icon_)) {
    icon_ = form.Icon();
    if (SDL_Surface* icon = BorrowSurface(icon_)) {
      SDL_SetWindowIcon(window_, icon);
      SDL_FreeSurface(icon);
    }
  }
}

void SdlWindow::Present(const Form& form) {
  if (!Ok()) return;
  SyncSize(form);
  SyncCaptionAndIcon(form);
  // Mapped before it is drawn: a frame drawn into an unmapped window is lost, and the
  // window would stay blank until the display asks for it again.
  if (!shown_) {
    shown_ = true;
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
  }
  form.ComposeInto(frame_);
  if (!frame_.empty()) SDL_UpdateTexture(texture_, nullptr, frame_.row(0), frame_.stride() * 4);
  // The frame covers the window unless it has been resized; only then are there bars
  // around the scaled picture to clear.
  int outputWidth = 0, outputHeight = 0;
  SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
  if (outputWidth != width_ || outputHeight != height_) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
  }
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

void SdlWindow::Hide() {
  if (!shown_) return;
  shown_ = false;
  SDL_HideWindow(window_);
}

}  // namespace platform::detail
