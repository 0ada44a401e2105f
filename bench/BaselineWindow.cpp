// The benchmark's baselines: a plain window as small as the program's, with an empty message
// loop; built a second time (ARPFLUSH_BASELINE_WINEXEC) with a 500 ms timer whose every tick
// starts "arp -d" hidden through WinExec, the naive way to do the program's job.
#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"ArpflushBenchBaseline";
// The program's main form has this client area.
constexpr int kClientWidth = 281;
constexpr int kClientHeight = 100;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

#ifdef ARPFLUSH_BASELINE_WINEXEC
constexpr UINT_PTR kFlushTimer = 1;
constexpr UINT kFlushPeriodMs = 500;
#endif

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
#ifdef ARPFLUSH_BASELINE_WINEXEC
    case WM_TIMER:
      // The result is ignored, as the program ignores it.
      WinExec("arp -d", SW_HIDE);
      return 0;
#endif
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (RegisterClassW(&windowClass) == 0) return 1;

  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&frame, kStyle, FALSE);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  HWND window = CreateWindowExW(0, kClassName, L"baseline", kStyle,
                                (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
#ifdef ARPFLUSH_BASELINE_WINEXEC
  SetTimer(window, kFlushTimer, kFlushPeriodMs, nullptr);
#endif
  ShowWindow(window, show);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
