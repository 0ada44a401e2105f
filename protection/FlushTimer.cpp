// The periodic flush timer.
#include "protection/FlushTimer.h"

#include <utility>

namespace protection {

TimerError::TimerError() : std::runtime_error("Not enough timers available") {}

FlushTimer::FlushTimer(SystemTimer& systemTimer) : systemTimer_(systemTimer) {}

FlushTimer::~FlushTimer() { systemTimer_.Stop(); }

void FlushTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void FlushTimer::SetInterval(std::uint32_t intervalMs) {
  if (intervalMs == interval_) return;
  interval_ = intervalMs;
  Restart();
}

void FlushTimer::SetOnTimer(std::function<void()> onTimer) {
  onTimer_ = std::move(onTimer);
  Restart();
}

void FlushTimer::Tick() {
  if (enabled_ && onTimer_) onTimer_();
}

void FlushTimer::Restart() {
  systemTimer_.Stop();
  // An Interval of 0 never reaches the system, which would turn it into a short period.
  if (enabled_ && interval_ != 0 && onTimer_) {
    if (!systemTimer_.Start(interval_)) throw TimerError();
  }
}

}  // namespace protection
