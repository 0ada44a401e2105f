// The system timer behind the flush timer: WM_TIMER on a hidden message-only window.
#pragma once

#include <cstdint>
#include <functional>

#include "protection/FlushTimer.h"
#include "win/Window.h"
#include "win/WindowClass.h"

namespace win {

// The flush timer decides when to start and stop; this only talks to SetTimer and KillTimer.
// Its window is hidden and never disabled, so ticks go on while an error box is open.
class Timer : public protection::SystemTimer, private Window {
 public:
  Timer();
  ~Timer() override;

  bool Start(std::uint32_t intervalMs) override;
  void Stop() override;

  std::function<void()> onTick;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static constexpr UINT_PTR kTimerId = 1;
  WindowClass class_;
  bool running_ = false;
};

}  // namespace win
