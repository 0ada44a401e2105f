// The periodic flush timer: Enabled and Interval properties over a system timer.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>

namespace protection {

// The operating system's timer as the flush timer sees it.
class SystemTimer {
 public:
  virtual ~SystemTimer() = default;
  // Starts ticking every `intervalMs` (never 0); false when the system refuses a timer.
  virtual bool Start(std::uint32_t intervalMs) = 0;
  // Stops ticking; harmless when not running.
  virtual void Stop() = 0;
};

// Raised when the system refuses to create a timer.
class TimerError : public std::runtime_error {
 public:
  TimerError();
};

// Setting a property to the value it holds changes nothing, so the running period does not
// restart. Setting a different value stops the system timer and, when the timer is then
// enabled with a non-zero Interval and a tick handler, starts it anew. When the system
// refuses, the property already holds its new value and TimerError is raised.
class FlushTimer {
 public:
  explicit FlushTimer(SystemTimer& systemTimer);
  FlushTimer(const FlushTimer&) = delete;
  FlushTimer& operator=(const FlushTimer&) = delete;
  ~FlushTimer();

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  std::uint32_t Interval() const { return interval_; }
  void SetInterval(std::uint32_t intervalMs);
  void SetOnTimer(std::function<void()> onTimer);

  // Called by the system timer on every elapsed period.
  void Tick();

 private:
  void Restart();

  SystemTimer& systemTimer_;
  bool enabled_ = true;
  std::uint32_t interval_ = 1000;
  std::function<void()> onTimer_;
};

}  // namespace protection
