// SPDX-License-Identifier: MIT
#include "platform/win32/window.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iostream>

#include "platform/backend.h"
#include "platform/win32_media/text.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace platform::win32 {
namespace {

constexpr wchar_t kClassName[] = L"ZentorraForm";
// Fixed size: a caption with the close and minimise buttons, no sizing border.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

Window* WindowOf(HWND handle) {
  return reinterpret_cast<Window*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
}

Key KeyOf(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_RETURN:
      return Key::Enter;
    case VK_ESCAPE:
      return Key::Escape;
    case VK_SPACE:
      return Key::Space;
    case VK_BACK:
      return Key::Backspace;
    case VK_DELETE:
      return Key::Delete;
    case VK_TAB:
      return Key::Tab;
    case VK_LEFT:
      return Key::Left;
    case VK_RIGHT:
      return Key::Right;
    case VK_UP:
      return Key::Up;
    case VK_DOWN:
      return Key::Down;
    case VK_F11:
      return Key::F11;
    case 'A':
      return Key::A;
    case 'M':
      return Key::M;
    case 'V':
      return Key::V;
    case VK_HOME:
      return Key::Home;
    case VK_END:
      return Key::End;
    default:
      return Key::Other;
  }
}

void DeliverPress(Window& window, int button, LPARAM position) {
  int x = GET_X_LPARAM(position), y = GET_Y_LPARAM(position);
  Form& form = window.Owner();
  if (!window.ToFrame(x, y) || x < 0 || y < 0 || x >= form.ClientWidth() ||
      y >= form.ClientHeight())
    return;
  form.DeliverPress(button, float(x), float(y));
}

void DeliverKey(Window& window, WPARAM virtualKey) {
  const int shift = (GetKeyState(VK_SHIFT) < 0 ? kShiftMask : 0) |
                    (GetKeyState(VK_CONTROL) < 0 ? kCtrlMask : 0) |
                    (GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
  window.Owner().DeliverKey(KeyOf(virtualKey), shift);
}

// The DPI of the window's monitor, where the desktop tells it (Windows 10 and later).
int DpiOf(HWND handle) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  const UINT dpi = getDpi ? getDpi(handle) : 0;
  if (dpi) return static_cast<int>(dpi);
  HDC screen = GetDC(nullptr);
  const int fallback = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return fallback > 0 ? fallback : 96;
}

// The outer size of a window whose client area has the given size.
SIZE OuterSize(int width, int height) {
  RECT rect{0, 0, width, height};
  AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// The monitor's scale, or less where a window that large would not fit its work area.
double FittingScale(HWND handle, int width, int height, double scale) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(handle, MONITOR_DEFAULTTONEAREST), &monitor)) return scale;
  const RECT& work = monitor.rcWork;
  const SIZE frame = OuterSize(0, 0);
  const double fit = std::min(double(work.right - work.left - frame.cx) / width,
                              double(work.bottom - work.top - frame.cy) / height);
  return std::max(1.0, std::min(scale, fit));
}

struct Placement {
  bool known = false;
  bool fullScreen = false;
  RECT window{};  // the outer rectangle of the window when not full screen
};
Placement lastScreen;

constexpr int kScreenWidth = 1024, kScreenHeight = 768;

// Typed characters come one UTF-16 unit at a time; editing keys come as WM_KEYDOWN.
void DeliverChar(Form& form, WPARAM unit) {
  static wchar_t highSurrogate = 0;
  const auto c = static_cast<wchar_t>(unit);
  if (c >= 0xD800 && c <= 0xDBFF) {
    highSurrogate = c;
    return;
  }
  std::wstring text(1, c);
  if (c >= 0xDC00 && c <= 0xDFFF) {
    if (!highSurrogate) return;
    text.insert(text.begin(), highSurrogate);
  }
  highSurrogate = 0;
  if (c < 0x20 || c == 0x7F) return;  // Enter, Backspace, Escape and Ctrl+letters
  form.DeliverText(Narrow(text));
}

LRESULT CALLBACK FormWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  Window* window = WindowOf(handle);
  if (!window) return DefWindowProcW(handle, message, wParam, lParam);
  Form& form = window->Owner();
  switch (message) {
    case WM_PAINT:
      window->Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the frame covers the whole client area
    case WM_LBUTTONDOWN:
      DeliverPress(*window, 1, lParam);
      return 0;
    case WM_RBUTTONDOWN:
      DeliverPress(*window, 2, lParam);
      return 0;
    case WM_MBUTTONDOWN:
      DeliverPress(*window, 4, lParam);
      return 0;
    case WM_KEYDOWN:
      DeliverKey(*window, wParam);
      return 0;
    case WM_SYSKEYDOWN:  // Alt+Enter; the rest (Alt+F4, the menu key) is the desktop's
      if (wParam != VK_RETURN) break;
      DeliverKey(*window, wParam);
      return 0;
    case WM_DPICHANGED:
      window->ScaleChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CHAR:
      DeliverChar(form, wParam);
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) break;
      {
        POINT point;
        GetCursorPos(&point);
        ScreenToClient(handle, &point);
        int x = point.x, y = point.y;
        SetCursor(PointerFor(window->ToFrame(x, y) ? form.HitControl(x, y) : nullptr));
      }
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) detail::SetActiveForm(&form);
      break;
    case WM_CLOSE:  // the close button, Alt+F4: the screen answers as its own way out
      form.RequestClose();
      return 0;
    case WM_QUERYENDSESSION:  // the game never stands in the way of a logout or shutdown
      return TRUE;
    case WM_ENDSESSION:  // the process may be ended as soon as this returns: save now
      if (wParam) EndSession();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(handle, message, wParam, lParam);
}

bool RegisterFormClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = FormWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
  }();
  return registered;
}

}  // namespace

Window::Window(Form& form) : form_(form) {
  if (!RegisterFormClass()) {
    std::cerr << "Cannot register the window class\n";
    return;
  }
  const int width = std::max(form.ClientWidth(), 1), height = std::max(form.ClientHeight(), 1);
  handle_ = CreateWindowExW(0, kClassName, Widen(form.Caption()).c_str(), kStyle, 0, 0, width,
                            height, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (!handle_) {
    std::cerr << "Cannot open a window\n";
    return;
  }
  // Sized at the monitor's scale, centred on the screen, but never with its caption above
  // or left of it.
  scale_ = FittingScale(handle_, width, height, DpiOf(handle_) / 96.0);
  const SIZE outer = OuterSize(int(std::lround(width * scale_)), int(std::lround(height * scale_)));
  const int x = std::max<int>((GetSystemMetrics(SM_CXSCREEN) - outer.cx) / 2, 0);
  const int y = std::max<int>((GetSystemMetrics(SM_CYSCREEN) - outer.cy) / 2, 0);
  SetWindowPos(handle_, nullptr, x, y, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  caption_ = form.Caption();
  memory_ = CreateCompatibleDC(nullptr);
  MakeBitmap(width, height);
}

Window::~Window() {
  FreeBitmap();
  if (memory_) DeleteDC(memory_);
  if (handle_) {
    Detach();  // no more messages to this object
    DestroyWindow(handle_);
  }
  if (icon_) DestroyIcon(icon_);
}

void Window::MakeBitmap(int width, int height) {
  FreeBitmap();
  width_ = width;
  height_ = height;
  if (!memory_) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as the layer's surfaces
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  bitmap_ = CreateDIBSection(memory_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
  if (!bitmap_) {
    bits_ = nullptr;
    std::cerr << "Cannot draw in a window\n";
    return;
  }
  previousBitmap_ = SelectObject(memory_, bitmap_);
}

void Window::FreeBitmap() {
  if (!bitmap_) return;
  SelectObject(memory_, previousBitmap_);
  DeleteObject(bitmap_);
  bitmap_ = nullptr;
  bits_ = nullptr;
}

void Window::SyncSize() {
  const int width = std::max(form_.ClientWidth(), 1), height = std::max(form_.ClientHeight(), 1);
  if (width == width_ && height == height_) return;
  MakeBitmap(width, height);
  if (fullScreen_) return;
  const SIZE outer = OuterSize(int(std::lround(width * scale_)), int(std::lround(height * scale_)));
  SetWindowPos(handle_, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Window::IsScreen() const {
  return width_ == kScreenWidth && height_ == kScreenHeight;
}

void Window::RememberPlacement() const {
  if (!handle_ || !shown_ || !IsScreen()) return;
  lastScreen.known = true;
  lastScreen.fullScreen = fullScreen_;
  if (fullScreen_) {
    lastScreen.window = windowed_;
  } else {
    GetWindowRect(handle_, &lastScreen.window);
  }
}

// A screen takes the state the last one was left in; a small form keeps its size and is
// centred over the last screen.
void Window::Place() {
  if (!lastScreen.known) return;
  const RECT& last = lastScreen.window;
  if (!IsScreen()) {
    RECT own;
    GetWindowRect(handle_, &own);
    const int w = own.right - own.left, h = own.bottom - own.top;
    SetWindowPos(handle_, nullptr, last.left + (last.right - last.left - w) / 2,
                 last.top + (last.bottom - last.top - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  SetWindowPos(handle_, nullptr, last.left, last.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (lastScreen.fullScreen != fullScreen_) ToggleFullScreen();
}

void Window::ToggleFullScreen() {
  if (!handle_) return;
  fullScreen_ = !fullScreen_;
  if (fullScreen_) {
    GetWindowRect(handle_, &windowed_);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(handle_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& r = monitor.rcMonitor;
    SetWindowLongPtrW(handle_, GWL_STYLE, WS_POPUP | (shown_ ? WS_VISIBLE : 0));
    SetWindowPos(handle_, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE);
  } else {
    SetWindowLongPtrW(handle_, GWL_STYLE, kStyle | (shown_ ? WS_VISIBLE : 0));
    SetWindowPos(handle_, nullptr, windowed_.left, windowed_.top, windowed_.right - windowed_.left,
                 windowed_.bottom - windowed_.top,
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(handle_, nullptr, FALSE);
}

void Window::ScaleChanged(int dpi, const RECT& suggested) {
  scale_ = dpi / 96.0;
  if (fullScreen_) return;
  SetWindowPos(handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(handle_, nullptr, FALSE);
}

// In a window the frame at the monitor's scale from the top-left corner; in full screen
// scaled to fill the monitor with its shape kept, centred.
RECT Window::ViewRect() const {
  if (!fullScreen_)
    return {0, 0, int(std::lround(width_ * scale_)), int(std::lround(height_ * scale_))};
  RECT client{};
  GetClientRect(handle_, &client);
  const int cw = std::max<int>(client.right, 1), ch = std::max<int>(client.bottom, 1);
  const double scale = std::min(double(cw) / width_, double(ch) / height_);
  const int w = int(std::lround(width_ * scale)), h = int(std::lround(height_ * scale));
  const int x = (cw - w) / 2, y = (ch - h) / 2;
  return {x, y, x + w, y + h};
}

bool Window::ToFrame(int& x, int& y) const {
  const RECT view = ViewRect();
  if (x < view.left || y < view.top || x >= view.right || y >= view.bottom) return false;
  x = (x - view.left) * width_ / std::max<int>(view.right - view.left, 1);
  y = (y - view.top) * height_ / std::max<int>(view.bottom - view.top, 1);
  return true;
}

void Window::SyncCaptionAndIcon() {
  if (form_.Caption() != caption_) {
    caption_ = form_.Caption();
    SetWindowTextW(handle_, Widen(caption_).c_str());
  }
  if (!form_.Icon().empty() && !(form_.Icon() == iconPicture_)) {
    iconPicture_ = form_.Icon();
    HICON made = MakeIcon(iconPicture_, false);
    SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(made));
    SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(made));
    if (icon_) DestroyIcon(icon_);
    icon_ = made;
  }
}

void Window::Present() {
  if (!handle_) return;
  SyncSize();
  if (!Ok()) return;
  SyncCaptionAndIcon();
  form_.ComposeInto(frame_);
  const std::size_t rowBytes = static_cast<std::size_t>(width_) * sizeof(gfx::Pixel);
  auto* target = static_cast<unsigned char*>(bits_);
  for (int y = 0; y < height_ && y < frame_.height(); ++y, target += rowBytes)
    std::memcpy(target, frame_.row(y), std::min(rowBytes, frame_.width() * sizeof(gfx::Pixel)));
  if (!shown_) {
    Place();
    shown_ = true;
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
  }
  InvalidateRect(handle_, nullptr, FALSE);
  UpdateWindow(handle_);  // paints now: a present is seen at once, as on the other backends
}

void Window::Hide() {
  if (!shown_) return;
  shown_ = false;
  ShowWindow(handle_, SW_HIDE);
}

void Window::Detach() {
  if (handle_) SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
}

void Window::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(handle_, &paint);
  if (dc && Ok()) {
    const RECT view = ViewRect();
    const int w = view.right - view.left, h = view.bottom - view.top;
    if (w == width_ && h == height_) {
      BitBlt(dc, view.left, view.top, w, h, memory_, 0, 0, SRCCOPY);
    } else {
      // Whole multiples stay sharp; other scales are smoothed.
      const bool whole = w % width_ == 0 && h % height_ == 0;
      SetStretchBltMode(dc, whole ? COLORONCOLOR : HALFTONE);
      SetBrushOrgEx(dc, 0, 0, nullptr);
      StretchBlt(dc, view.left, view.top, w, h, memory_, 0, 0, width_, height_, SRCCOPY);
    }
    RECT client;
    GetClientRect(handle_, &client);
    // Black bars where the frame's shape leaves the client area uncovered.
    const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    const RECT bars[] = {{0, 0, client.right, view.top},
                         {0, view.bottom, client.right, client.bottom},
                         {0, view.top, view.left, view.bottom},
                         {view.right, view.top, client.right, view.bottom}};
    for (const RECT& bar : bars)
      if (bar.right > bar.left && bar.bottom > bar.top) FillRect(dc, &bar, black);
  }
  EndPaint(handle_, &paint);
}

bool DesktopAvailable() {
  if (!RegisterFormClass()) return false;
  // A window of the class, never shown; it has no form, so its messages go nowhere.
  HWND probe = CreateWindowExW(0, kClassName, L"", kStyle, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  if (!probe) return false;
  DestroyWindow(probe);
  return true;
}

}  // namespace platform::win32
