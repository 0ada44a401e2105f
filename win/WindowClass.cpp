// A registered window class that unregisters itself.
#include "win/WindowClass.h"

#include "win/LastError.h"

namespace win {

WindowClass::WindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background, UINT style)
    : name_(name) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, name, &existing)) return;

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  wc.hIcon = LoadIconW(instance, L"MAINICON");
  if (!RegisterClassExW(&wc)) {
    ThrowLastError("RegisterClassExW");
  }
}

WindowClass::~WindowClass() { UnregisterClassW(name_, GetModuleHandleW(nullptr)); }

}  // namespace win
