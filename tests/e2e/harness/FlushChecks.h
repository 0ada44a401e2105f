// The two things the tests ask of the flush cycle: that arp starts at a given period from a
// moment on, and that it does not start at all for a while.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "harness/ArpLog.h"
#include "harness/Wait.h"

namespace e2e {

// A start is recorded when the program creates the process, moments after its tick; one
// recorded up to this long after a change of state may still come from a tick before it,
// when the machine was busy.
inline constexpr milliseconds kStartLatency = 300ms;

// A period is judged by a line through this many starts. On a quiet machine its slope lands
// within 3% of the period (494-515 ms measured at 500 ms). A busy machine only ever delays
// ticks or drops them, never adds any: with the two cores loaded by other work (load average
// 12) periods of 540-670 ms were measured at 500 ms, and none below 485 ms. So a period may
// be 10% short and 40% long, which still tells every period the tests set from the one it
// replaces (500 from 750 and 1000, 1000 from 500) and from no flushing at all.
inline constexpr std::size_t kStartsToJudge = 12;
inline constexpr double kShorterBy = 0.10;
inline constexpr double kLongerBy = 0.40;

// Fits a line through `timesMs` and checks its slope against `periodMs` as above; reports
// the fitted period as figure `figureName`.
::testing::AssertionResult HasPeriod(const std::vector<double>& timesMs, double periodMs,
                                     const std::string& figureName);

// Waits for kStartsToJudge starts after `fromMs` + kStartLatency and checks their period
// with HasPeriod.
::testing::AssertionResult FlushesEvery(const ArpLog& log, double fromMs, double periodMs,
                                        const std::string& figureName);

// Lets `duration` pass after `fromMs` + kStartLatency and checks that no arp started in it.
::testing::AssertionResult FlushesNothingFor(const ArpLog& log, double fromMs,
                                             milliseconds duration);

}  // namespace e2e
