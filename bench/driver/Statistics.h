// The few statistics the benchmark reports: medians of runs, percentiles of samples.
#pragma once

#include <vector>

namespace bench {

// 0 for no values.
double Median(std::vector<double> values);
// Nearest-rank percentile (0-100); 0 for no values.
double Percentile(std::vector<double> values, double percent);
double Mean(const std::vector<double>& values);
double Max(const std::vector<double>& values);

}  // namespace bench
