// A system timer for tests: records every call in a shared log and can refuse to start.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protection/FlushTimer.h"

namespace protection::testing {

class FakeSystemTimer : public SystemTimer {
 public:
  explicit FakeSystemTimer(std::vector<std::string>& log) : log_(log) {}

  bool Start(std::uint32_t intervalMs) override {
    log_.push_back("start " + std::to_string(intervalMs) + (refuse ? " refused" : ""));
    running = !refuse;
    return !refuse;
  }
  void Stop() override {
    if (running) log_.push_back("stop");
    running = false;
  }

  bool refuse = false;
  bool running = false;

 private:
  std::vector<std::string>& log_;
};

}  // namespace protection::testing
