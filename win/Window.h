// Base of the layer's own windows: creates the window and binds it to its object.
#pragma once

#include <windows.h>

namespace win {

class WindowClass;

// The window is bound to its object once, at WM_NCCREATE, from CREATESTRUCT::lpCreateParams;
// messages before that go to DefWindowProcW. The destructor unbinds before destroying the
// window, so no message ever reaches a half-destroyed object.
class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }

 protected:
  Window() = default;
  virtual ~Window();

  // Destroys the window early: a wrapper that owns its window class calls it in its own
  // destructor, so the window is gone before the class is unregistered.
  void Destroy();
  void Create(const WindowClass& windowClass, DWORD exStyle, DWORD style, const wchar_t* text,
              RECT bounds, HWND parent, HMENU menuOrId);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // The window procedure of every class registered for a Window.
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace win
