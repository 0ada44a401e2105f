// The countable resources of a program at rest, read once they have settled, and the
// difference between two such readings.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "endurance/ProcessResources.h"
#include "harness/Wait.h"

namespace e2e {

// Reads the resources of the process until two readings `gap` apart agree on every count
// (painting and the end of a started command free what they held a moment later), or the
// deadline passes; returns the last reading. A leak is steady too, so settling hides none.
ProcessResources SettledResources(HANDLE process, DWORD processId, milliseconds timeout = 10s,
                                  milliseconds gap = 300ms);

// "handles 41 -> 43 (+2)"; "handles n/a" when the figure could not be read.
std::string DescribeChange(const char* name, const std::optional<std::uint32_t>& before,
                           const std::optional<std::uint32_t>& after);

}  // namespace e2e
