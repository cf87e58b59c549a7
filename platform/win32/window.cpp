#include "platform/win32/window.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <iostream>

#include "platform/backend.h"
#include "platform/win32_media/text.h"

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
    case VK_LEFT:
      return Key::Left;
    case VK_RIGHT:
      return Key::Right;
    case VK_HOME:
      return Key::Home;
    case VK_END:
      return Key::End;
    default:
      return Key::Other;
  }
}

void DeliverPress(Form& form, int button, LPARAM position) {
  const int x = GET_X_LPARAM(position), y = GET_Y_LPARAM(position);
  if (x < 0 || y < 0 || x >= form.ClientWidth() || y >= form.ClientHeight()) return;
  form.DeliverPress(button, float(x), float(y));
}

void Paste(Form& form) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(nullptr)) return;
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  form.DeliverText(Narrow(text));
}

void DeliverKey(Form& form, WPARAM virtualKey) {
  if (virtualKey == 'V' && GetKeyState(VK_CONTROL) < 0) return Paste(form);
  form.DeliverKey(KeyOf(virtualKey));
}

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
      DeliverPress(form, 1, lParam);
      return 0;
    case WM_RBUTTONDOWN:
      DeliverPress(form, 2, lParam);
      return 0;
    case WM_MBUTTONDOWN:
      DeliverPress(form, 4, lParam);
      return 0;
    case WM_KEYDOWN:
      DeliverKey(form, wParam);
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
        SetCursor(PointerFor(form.HitControl(point.x, point.y)));
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

// The outer size of a window whose client area has the given size.
SIZE OuterSize(int width, int height) {
  RECT rect{0, 0, width, height};
  AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

Window::Window(Form& form) : form_(form) {
  if (!RegisterFormClass()) {
    std::cerr << "Cannot register the window class\n";
    return;
  }
  const int width = std::max(form.ClientWidth(), 1), height = std::max(form.ClientHeight(), 1);
  const SIZE outer = OuterSize(width, height);
  // Centred on the screen, but never with its caption above or left of it.
  const int x = std::max<int>((GetSystemMetrics(SM_CXSCREEN) - outer.cx) / 2, 0);
  const int y = std::max<int>((GetSystemMetrics(SM_CYSCREEN) - outer.cy) / 2, 0);
  handle_ = CreateWindowExW(0, kClassName, Widen(form.Caption()).c_str(), kStyle, x, y, outer.cx,
                            outer.cy, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (!handle_) {
    std::cerr << "Cannot open a window\n";
    return;
  }
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
  const SIZE outer = OuterSize(width, height);
  SetWindowPos(handle_, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    const RECT& r = paint.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory_, r.left, r.top, SRCCOPY);
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
