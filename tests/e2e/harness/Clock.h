// One clock for the tests and the recorder: the system time, which Wine reads from the host's
// real-time clock to the microsecond in every process of a session. Process creation times,
// which the recorder reports, are on the same clock.
#pragma once

#include <windows.h>

#include <cstdint>

namespace e2e {

// 100-nanosecond units since 1601, as in a FILETIME.
inline std::int64_t FileTimeValue(const FILETIME& time) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime);
}

inline double FileTimeToMs(std::int64_t fileTime) { return static_cast<double>(fileTime) / 1e4; }

inline std::int64_t FileTimeNow() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return FileTimeValue(now);
}

// Milliseconds on the shared clock.
inline double NowMs() { return FileTimeToMs(FileTimeNow()); }

}  // namespace e2e
