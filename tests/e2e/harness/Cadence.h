// Judging a period from recorded start times. A start is timed by its process creation,
// inside the program's tick handler; the gaps between starts still scatter by some
// milliseconds, and by hundreds when a busy machine holds the program back, so a straight
// line fitted through many starts gives the period the program really keeps.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace e2e {

struct Cadence {
  std::size_t starts = 0;
  double periodMs = 0;       // slope of start time over start number
  double worstOffsetMs = 0;  // largest distance of a start from the fitted line
};

// Fits time against start number with the median of the slopes between every two starts
// (Theil-Sen), which a few starts held back by a busy machine cannot pull off the line, as
// they pull a least-squares fit. Needs at least two times, in order.
Cadence FitCadence(const std::vector<double>& timesMs);

// The gaps between successive times, rounded to milliseconds, for messages: "512 488 ...".
std::string DescribeGaps(const std::vector<double>& timesMs);

// How many of the times fall in [fromMs, toMs).
std::size_t CountWithin(const std::vector<double>& timesMs, double fromMs, double toMs);

}  // namespace e2e
