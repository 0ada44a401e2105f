// A registered window class that unregisters itself.
#pragma once

#include <windows.h>

namespace win {

// Registers `name` unless the process already has it. Several wrappers of one kind (the three
// panels) share a class: unregistering fails harmlessly while windows of the class remain,
// and the last wrapper out succeeds.
class WindowClass {
 public:
  WindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background = nullptr, UINT style = 0);
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;
  ~WindowClass();

  const wchar_t* Name() const { return name_; }

 private:
  const wchar_t* name_;
};

}  // namespace win
