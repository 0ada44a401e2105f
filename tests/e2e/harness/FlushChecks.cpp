// The two things the tests ask of the flush cycle.
#include "harness/FlushChecks.h"

#include "harness/Cadence.h"
#include "harness/Clock.h"
#include "harness/Figures.h"

namespace e2e {

::testing::AssertionResult HasPeriod(const std::vector<double>& timesMs, double periodMs,
                                     const std::string& figureName) {
  const Cadence cadence = FitCadence(timesMs);
  ReportFigure(figureName, cadence.periodMs, "ms");
  if (cadence.periodMs < periodMs * (1 - kShorterBy) ||
      cadence.periodMs > periodMs * (1 + kLongerBy)) {
    return ::testing::AssertionFailure()
           << "arp starts every " << cadence.periodMs << " ms (line through " << cadence.starts
           << " starts, worst offset " << cadence.worstOffsetMs << " ms), expected " << periodMs
           << "; gaps: " << DescribeGaps(timesMs);
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult FlushesEvery(const ArpLog& log, double fromMs, double periodMs,
                                        const std::string& figureName) {
  const double from = fromMs + static_cast<double>(kStartLatency.count());
  // Room for every start at the longest period allowed, and a slow first tick.
  const auto timeout =
      milliseconds(static_cast<long long>(periodMs * (1 + kLongerBy) * kStartsToJudge)) + 5s;
  const std::vector<double> times = log.WaitForStartsSince(from, kStartsToJudge, timeout);
  if (times.size() < kStartsToJudge) {
    return ::testing::AssertionFailure()
           << "expected " << kStartsToJudge << " arp starts at " << periodMs << " ms, got "
           << times.size() << " in " << timeout.count() << " ms";
  }
  return HasPeriod(times, periodMs, figureName);
}

::testing::AssertionResult FlushesNothingFor(const ArpLog& log, double fromMs,
                                             milliseconds duration) {
  const double from = fromMs + static_cast<double>(kStartLatency.count());
  const double until = from + static_cast<double>(duration.count());
  WaitUntil([&] { return NowMs() >= until; }, duration + kStartLatency + 1s);
  // A start of the last moments may still be on its way: give it its latency to arrive.
  Observe(kStartLatency);
  const std::size_t starts = CountWithin(log.TimesSince(from), from, until);
  if (starts != 0) {
    return ::testing::AssertionFailure()
           << starts << " arp starts in " << duration.count() << " ms while none were expected";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace e2e
