// Measured figures (periods, start-up times) printed with the test's output and recorded in
// its XML report, for the record; the tests never judge performance by them.
#pragma once

#include <string>

namespace e2e {

void ReportFigure(const std::string& name, double value, const std::string& unit);

}  // namespace e2e
