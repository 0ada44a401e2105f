// Base of the layer's own windows.
#include "win/Window.h"

#include "win/Handler.h"
#include "win/LastError.h"
#include "win/WindowClass.h"

namespace win {

Window::~Window() { Destroy(); }

void Window::Destroy() {
  if (!hwnd_) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

void Window::Create(const WindowClass& windowClass, DWORD exStyle, DWORD style, const wchar_t* text,
                    RECT bounds, HWND parent, HMENU menuOrId) {
  // hwnd_ is set at WM_NCCREATE, before CreateWindowExW returns.
  CreateWindowExW(exStyle, windowClass.Name(), text, style, bounds.left, bounds.top,
                  bounds.right - bounds.left, bounds.bottom - bounds.top, parent, menuOrId,
                  GetModuleHandleW(nullptr), this);
  if (!hwnd_) {
    ThrowLastError("CreateWindowExW");
  }
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  // Handlers run through RunHandler; this catch is the last line for the rest.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    ShowCurrentException();
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace win
