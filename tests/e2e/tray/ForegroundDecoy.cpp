// A plain window of the test's own, put in the foreground over the program's window.
#include "tray/ForegroundDecoy.h"

namespace e2e {

ForegroundDecoy::ForegroundDecoy(const RECT& rect)
    // A system class: nothing to register, and its default handling is all a decoy needs.
    : window_(CreateWindowExW(0, L"STATIC", L"decoy", WS_POPUP | WS_BORDER | WS_VISIBLE, rect.left,
                              rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr)) {
  SetForegroundWindow(window_);
  Pump();
}

ForegroundDecoy::~ForegroundDecoy() {
  if (window_ != nullptr) DestroyWindow(window_);
  Pump();
}

void ForegroundDecoy::Pump() const {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace e2e
