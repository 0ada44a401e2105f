// Judging a period from recorded start times.
#include "harness/Cadence.h"

#include <algorithm>
#include <cmath>

namespace e2e {

namespace {

double Median(std::vector<double> values) {
  const std::size_t middle = values.size() / 2;
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle),
                   values.end());
  const double upper = values[middle];
  if (values.size() % 2 == 1) return upper;
  const double lower =
      *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle));
  return (lower + upper) / 2;
}

}  // namespace

Cadence FitCadence(const std::vector<double>& timesMs) {
  Cadence cadence;
  cadence.starts = timesMs.size();
  if (timesMs.size() < 2) return cadence;
  std::vector<double> slopes;
  for (std::size_t i = 0; i < timesMs.size(); ++i) {
    for (std::size_t j = i + 1; j < timesMs.size(); ++j) {
      slopes.push_back((timesMs[j] - timesMs[i]) / static_cast<double>(j - i));
    }
  }
  cadence.periodMs = Median(slopes);
  std::vector<double> intercepts;
  for (std::size_t i = 0; i < timesMs.size(); ++i) {
    intercepts.push_back(timesMs[i] - cadence.periodMs * static_cast<double>(i));
  }
  const double intercept = Median(intercepts);
  for (std::size_t i = 0; i < timesMs.size(); ++i) {
    const double fitted = intercept + cadence.periodMs * static_cast<double>(i);
    cadence.worstOffsetMs = std::max(cadence.worstOffsetMs, std::abs(timesMs[i] - fitted));
  }
  return cadence;
}

std::string DescribeGaps(const std::vector<double>& timesMs) {
  std::string gaps;
  for (std::size_t i = 1; i < timesMs.size(); ++i) {
    if (!gaps.empty()) gaps += ' ';
    gaps += std::to_string(std::lround(timesMs[i] - timesMs[i - 1]));
  }
  return gaps;
}

std::size_t CountWithin(const std::vector<double>& timesMs, double fromMs, double toMs) {
  return static_cast<std::size_t>(std::count_if(timesMs.begin(), timesMs.end(),
                                                [&](double t) { return t >= fromMs && t < toMs; }));
}

}  // namespace e2e
