// Measured figures printed with the test's output and recorded in its XML report.
#include "harness/Figures.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace e2e {

void ReportFigure(const std::string& name, double value, const std::string& unit) {
  char text[64];
  std::snprintf(text, sizeof text, "%.1f %s", value, unit.c_str());
  std::printf("[  figure  ] %s: %s\n", name.c_str(), text);
  std::fflush(stdout);
  ::testing::Test::RecordProperty(name, text);
}

}  // namespace e2e
