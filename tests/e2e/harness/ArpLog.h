// The arp starts caused by one program under test, as the recorder logged them.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "harness/ArpRecord.h"

namespace e2e {

struct ArpStart {
  double timeMs = 0;  // when the process was created, on the shared clock (Clock.h)
  ArpRecord record;
};

class ArpLog {
 public:
  explicit ArpLog(std::filesystem::path folder);
  ArpLog(const ArpLog&) = delete;
  ArpLog& operator=(const ArpLog&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }

  // Every start recorded so far, oldest first.
  std::vector<ArpStart> Starts() const;
  // Start times of the starts at or after `fromMs`, oldest first.
  std::vector<double> TimesSince(double fromMs) const;
  // Waits until `count` starts at or after `fromMs` are recorded; returns their times (fewer
  // when the deadline passes first).
  std::vector<double> WaitForStartsSince(double fromMs, std::size_t count,
                                         std::chrono::milliseconds timeout) const;

 private:
  std::filesystem::path folder_;
  // Records already read, by file name: a record never changes once it has its name, and
  // reading only the new ones keeps polling cheap for the machine whose timing is measured.
  mutable std::map<std::wstring, ArpStart> read_;
};

}  // namespace e2e
