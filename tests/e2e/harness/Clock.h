// One clock for the tests and the recorder: the performance counter, which every process
// of a Wine session reads from the same monotonic source.
#pragma once

#include <windows.h>

#include <cstdint>

namespace e2e {

inline std::int64_t CounterNow() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

inline double CounterToMs(std::int64_t counter) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Milliseconds on the shared clock.
inline double NowMs() { return CounterToMs(CounterNow()); }

}  // namespace e2e
