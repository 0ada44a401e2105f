// The system timer behind the flush timer.
#include "win/Timer.h"

#include "win/Handler.h"

namespace win {

Timer::Timer() : class_(L"ArpflushTimer", Window::Procedure) {
  Create(class_, 0, 0, L"", {0, 0, 0, 0}, HWND_MESSAGE, nullptr);
}

Timer::~Timer() {
  Stop();
  Destroy();
}

bool Timer::Start(std::uint32_t intervalMs) {
  // The flush timer never passes 0 (SetTimer would turn it into a 10 ms period) and never
  // calls this for an unchanged period (SetTimer would restart it).
  running_ = SetTimer(Handle(), kTimerId, intervalMs, nullptr) != 0;
  return running_;
}

void Timer::Stop() {
  if (running_) KillTimer(Handle(), kTimerId);
  running_ = false;
}

LRESULT Timer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    RunHandler([this] {
      if (onTick) onTick();
    });
    return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace win
