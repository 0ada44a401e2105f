// The faulting test DLL: each fault is raised by the processor, not by RaiseException.
#define FAULTLIB_BUILDING
#include "ads/tests/faultlib/FaultLib.h"

namespace {

// Pointers, pointees and operands are all volatile so that the compiler neither sees the
// fault coming (it may put a trap of its own in place of a known null store) nor drops the
// access as dead (a store nobody reads) or folds it away (1 / x needs no division).
void Raise(int kind) {
  switch (kind) {
    case kWriteNull: {
      volatile int* volatile target = nullptr;
      *target = 1;
      break;
    }
    case kReadWildAddress: {
      const volatile int* volatile source = reinterpret_cast<const volatile int*>(kWildAddress);
      volatile int value = *source;
      (void)value;
      break;
    }
    case kDivideByZero: {
      volatile int dividend = 1;
      volatile int divisor = 0;
      volatile int quotient = dividend / divisor;
      (void)quotient;
      break;
    }
    case kIllegalInstruction:
      __asm__ volatile("ud2");
      break;
    default:
      break;
  }
}

constexpr wchar_t kFaultingClass[] = L"FaultLibFaultingWindow";

LRESULT CALLBACK FaultingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    Raise(*static_cast<const int*>(create->lpCreateParams));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&FaultingProc), &module);
  return module;
}

}  // namespace

int WINAPI FaultLibAdd(int a, int b) { return a + b; }

void WINAPI FaultLibRaise(int kind) { Raise(kind); }

void WINAPI FaultLibRaiseInOwnWindow(int kind) {
  const HINSTANCE module = ThisModule();
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (!GetClassInfoExW(module, kFaultingClass, &windowClass)) {
    windowClass.lpfnWndProc = &FaultingProc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = kFaultingClass;
    RegisterClassExW(&windowClass);
  }
  // Never returns when WM_CREATE faults; a window created anyway is closed again.
  if (HWND window = CreateWindowExW(0, kFaultingClass, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                    nullptr, module, &kind)) {
    DestroyWindow(window);
  }
}

LRESULT WINAPI FaultLibSend(HWND window, UINT message) {
  return SendMessageW(window, message, 0, 0);
}
