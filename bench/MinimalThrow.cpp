// The size yardstick: the smallest C++ window program that throws and catches one
// std::runtime_error, so it carries what any C++ program with exceptions carries (the
// unwinder, the runtime's exception support, the message box showing the error).
#include <windows.h>

#include <stdexcept>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Fail(int code) {
  if (code != 0) throw std::runtime_error("yardstick");
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  try {
    Fail(GetSystemMetrics(SM_CXSCREEN));
  } catch (const std::runtime_error& error) {
    // Shown only when the program is started with a show state other than the default.
    if (show == SW_SHOWMAXIMIZED) MessageBoxA(nullptr, error.what(), "yardstick", MB_OK);
  }
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"ArpflushBenchYardstick";
  RegisterClassW(&windowClass);
  HWND window =
      CreateWindowExW(0, windowClass.lpszClassName, L"yardstick", WS_OVERLAPPEDWINDOW,
                      CW_USEDEFAULT, CW_USEDEFAULT, 281, 100, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, show);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
