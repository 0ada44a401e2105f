// Polling with a deadline: the end-to-end tests wait for what they expect to happen, never
// for a fixed time, and fail with a message when the deadline passes first.
#pragma once

#include <windows.h>

#include <chrono>

namespace e2e {

using std::chrono::milliseconds;
using namespace std::chrono_literals;

// Time enough for anything the program does in response to one message, even on a loaded
// machine under Wine; a correct program answers in far less.
inline constexpr milliseconds kReactionTimeout = 5s;

inline constexpr milliseconds kPollInterval = 20ms;

// Calls `done` until it returns true or `timeout` has passed; returns its last answer.
template <class Predicate>
bool WaitUntil(Predicate&& done, milliseconds timeout = kReactionTimeout,
               milliseconds pollInterval = kPollInterval) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return done();
    Sleep(static_cast<DWORD>(pollInterval.count()));
  }
  return true;
}

// Lets `duration` pass, for checks that something does *not* happen within it.
inline void Observe(milliseconds duration) { Sleep(static_cast<DWORD>(duration.count())); }

}  // namespace e2e
