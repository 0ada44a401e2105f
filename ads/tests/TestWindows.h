// Small owners of the windows the ads tests create: a window class and a window.
#pragma once

#include <windows.h>

#include <stdexcept>

namespace ads::test {

// A window class of this executable, unregistered when the owner goes.
class WindowClass {
 public:
  WindowClass(const wchar_t* name, WNDPROC procedure) : name_(name) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    if (RegisterClassExW(&windowClass) == 0) throw std::runtime_error("RegisterClassExW failed");
  }
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;
  // Windows of the class must be gone first: declare the class before its windows.
  ~WindowClass() { UnregisterClassW(name_, GetModuleHandleW(nullptr)); }
  const wchar_t* Name() const { return name_; }

 private:
  const wchar_t* name_;
};

// A window, destroyed with its children when the owner goes (unless it is gone already).
class Window {
 public:
  Window(const WindowClass& windowClass, DWORD style, int x, int y, int width, int height,
         HWND parent = nullptr)
      : handle_(CreateWindowExW(0, windowClass.Name(), L"", style, x, y, width, height, parent,
                                nullptr, GetModuleHandleW(nullptr), nullptr)) {
    if (handle_ == nullptr) throw std::runtime_error("CreateWindowExW failed");
  }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  ~Window() {
    if (IsWindow(handle_)) DestroyWindow(handle_);
  }
  HWND Handle() const { return handle_; }

 private:
  HWND handle_;
};

}  // namespace ads::test
