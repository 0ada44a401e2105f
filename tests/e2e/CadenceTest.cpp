// The cadence fit that every period check relies on: it must find the period a program
// keeps through the scatter Wine adds, and not be pulled off by a start held back.
#include <gtest/gtest.h>

#include <vector>

#include "harness/Cadence.h"

namespace e2e {
namespace {

std::vector<double> Starts(double periodMs, const std::vector<double>& delaysMs) {
  std::vector<double> times;
  for (std::size_t i = 0; i < delaysMs.size(); ++i) {
    times.push_back(1000 + periodMs * static_cast<double>(i) + delaysMs[i]);
  }
  return times;
}

// Delays as measured under Wine: 100-250 ms from tick to the recorder's first line.
const std::vector<double> kScatter = {180, 120, 240, 150, 110, 230, 200, 100, 250, 130, 190, 160};

TEST(Cadence, FindsThePeriodThroughTheScatterOfStartDelays) {
  for (double period : {250.0, 500.0, 750.0, 1000.0}) {
    EXPECT_NEAR(FitCadence(Starts(period, kScatter)).periodMs, period, period * 0.05) << period;
  }
}

TEST(Cadence, IsNotPulledOffByAStartHeldBack) {
  std::vector<double> delays = kScatter;
  delays[5] += 300;
  const Cadence cadence = FitCadence(Starts(500, delays));
  EXPECT_NEAR(cadence.periodMs, 500, 25);
  EXPECT_GT(cadence.worstOffsetMs, 300);
}

}  // namespace
}  // namespace e2e
