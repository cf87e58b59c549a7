// SPDX-License-Identifier: MIT
#include "platform/sdl/window.h"

#include <SDL2/SDL_syswm.h>
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xutil.h>
#endif

#include <algorithm>
#include <bit>
#include <cmath>
#include <iostream>

namespace platform::detail {
namespace {

#if defined(SDL_VIDEO_DRIVER_X11)
struct X11Window {
  Display* display = nullptr;
  ::Window window = 0;
};

X11Window X11Of(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return {};
  return {info.info.x11.display, info.info.x11.window};
}

// Gives the window the frame as its background picture, which the X server paints the
// moment it maps the window. False where the window's pixels are not 0x00RRGGBB.
bool SetBackgroundPicture(SDL_Window* sdlWindow, const gfx::Surface& frame) {
  const X11Window x = X11Of(sdlWindow);
  XWindowAttributes attributes;
  if (!x.display || !XGetWindowAttributes(x.display, x.window, &attributes) ||
      attributes.width != frame.width() || attributes.height != frame.height())
    return false;
  const Visual* visual = attributes.visual;
  if (visual->red_mask != 0xFF0000 || visual->green_mask != 0xFF00 || visual->blue_mask != 0xFF)
    return false;
  XImage* image = XCreateImage(x.display, attributes.visual, attributes.depth, ZPixmap, 0,
                               reinterpret_cast<char*>(const_cast<gfx::Pixel*>(frame.row(0))),
                               frame.width(), frame.height(), 32, frame.stride() * 4);
  if (!image) return false;
  image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
  const Pixmap pixmap =
      XCreatePixmap(x.display, x.window, frame.width(), frame.height(), attributes.depth);
  const GC gc = XCreateGC(x.display, pixmap, 0, nullptr);
  XPutImage(x.display, pixmap, gc, image, 0, 0, 0, 0, frame.width(), frame.height());
  XFreeGC(x.display, gc);
  image->data = nullptr;  // the pixels are the frame's
  XDestroyImage(image);
  XSetWindowBackgroundPixmap(x.display, x.window, pixmap);
  XFreePixmap(x.display, pixmap);  // the server keeps it while it is the background
  return true;
}

// Once the window draws itself, the server need not keep a copy of the frame.
void ClearBackgroundPicture(SDL_Window* sdlWindow) {
  const X11Window x = X11Of(sdlWindow);
  if (x.display) XSetWindowBackgroundPixmap(x.display, x.window, None);
}
#else
bool SetBackgroundPicture(SDL_Window*, const gfx::Surface&) {
  return false;
}
void ClearBackgroundPicture(SDL_Window*) {}
#endif

// The size of the game's screens; windows of other sizes are small forms over them.
constexpr int kScreenWidth = 1024, kScreenHeight = 768;

struct Placement {
  bool known = false;
  bool fullScreen = false, maximised = false;
  SDL_Rect normal{};  // the window's place and size when neither
};
Placement lastScreen;

// How much larger than its pixels a window opens on this display: the desktop's scale
// (its DPI over the classic 96), or on a screen at least twice the game's size the
// largest factor that fits. An integer factor is taken where it fits, so pixels stay sharp.
double DisplayScale(int display) {
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(display, &usable) != 0) return 1;
  const double fit = std::min(double(usable.w) / kScreenWidth, double(usable.h) / kScreenHeight);
  float dpi = 0;
  const double desktop = SDL_GetDisplayDPI(display, nullptr, &dpi, nullptr) == 0 ? dpi / 96.0 : 1.0;
  // A display that reports a few percent above 96 is not a scaled desktop.
  double scale = desktop > 1.15 ? desktop : (fit >= 2 ? std::floor(fit) : 1.0);
  if (std::ceil(scale) <= fit) return std::ceil(scale);
  return std::clamp(scale, 1.0, std::max(fit, 1.0));
}

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
  // The first window opens scaled for the display, centred; later ones as the last
  // screen was left (see Place).
  const double scale = DisplayScale(SDL_GetWindowDisplayIndex(window_));
  if (scale != 1.0)
    SDL_SetWindowSize(window_, int(std::lround(width_ * scale)), int(std::lround(height_ * scale)));
  SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
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
  form.ComposeInto(frame_);
  // A frame drawn into an unmapped window is lost, so the window is mapped before it is
  // drawn; with the frame as its background it shows its picture from the first moment,
  // not black or whatever lay beneath it until the drawing arrives.
  if (!shown_) {
    shown_ = true;
    Place();
    background_ = !frame_.empty() && SetBackgroundPicture(window_, frame_);
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
  }
  if (!frame_.empty()) SDL_UpdateTexture(texture_, nullptr, frame_.row(0), frame_.stride() * 4);
  // The frame covers the window unless it has been resized; only then are there bars
  // around the scaled picture to clear.
  int outputWidth = 0, outputHeight = 0;
  SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
  if (outputWidth != width_ || outputHeight != height_) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
  }
  // A whole multiple of the picture's size stays sharp; other sizes are smoothed.
  const int factor = std::min(outputWidth / width_, outputHeight / height_);
  const bool whole =
      factor >= 1 && (outputWidth == width_ * factor || outputHeight == height_ * factor);
  SDL_SetTextureScaleMode(texture_, whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
  if (background_) {
    background_ = false;
    ClearBackgroundPicture(window_);
  }
}

bool SdlWindow::IsScreen() const {
  return width_ == kScreenWidth && height_ == kScreenHeight;
}

void SdlWindow::RememberPlacement() const {
  if (!window_ || !shown_ || !IsScreen()) return;
  const Uint32 flags = SDL_GetWindowFlags(window_);
  lastScreen.known = true;
  lastScreen.fullScreen = (flags & SDL_WINDOW_FULLSCREEN) != 0;
  lastScreen.maximised = (flags & SDL_WINDOW_MAXIMIZED) != 0;
  if (!lastScreen.fullScreen && !lastScreen.maximised) {
    SDL_GetWindowPosition(window_, &lastScreen.normal.x, &lastScreen.normal.y);
    SDL_GetWindowSize(window_, &lastScreen.normal.w, &lastScreen.normal.h);
  }
}

// A screen takes the state the last one was left in; a small form keeps its size and is
// centred over the last screen.
void SdlWindow::Place() {
  if (!lastScreen.known) return;
  if (!IsScreen()) {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    const SDL_Rect& over = lastScreen.normal;
    if (!lastScreen.fullScreen && !lastScreen.maximised)
      SDL_SetWindowPosition(window_, over.x + (over.w - w) / 2, over.y + (over.h - h) / 2);
    return;
  }
  const Uint32 flags = SDL_GetWindowFlags(window_);
  if (lastScreen.fullScreen) {
    if (!(flags & SDL_WINDOW_FULLSCREEN))
      SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return;
  }
  if (flags & SDL_WINDOW_FULLSCREEN) SDL_SetWindowFullscreen(window_, 0);
  if (lastScreen.maximised) {
    SDL_MaximizeWindow(window_);
    return;
  }
  if (flags & SDL_WINDOW_MAXIMIZED) SDL_RestoreWindow(window_);
  const SDL_Rect& r = lastScreen.normal;
  SDL_SetWindowSize(window_, r.w, r.h);
  SDL_SetWindowPosition(window_, r.x, r.y);
}

void SdlWindow::ToggleFullScreen() {
  if (!window_) return;
  const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
  SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void SdlWindow::Hide() {
  if (!shown_) return;
  shown_ = false;
  SDL_HideWindow(window_);
}

}  // namespace platform::detail
