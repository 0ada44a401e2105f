// The arp starts caused by one program under test, as the recorder logged them.
#include "harness/ArpLog.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "harness/Clock.h"
#include "harness/Wait.h"

namespace e2e {

ArpLog::ArpLog(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::vector<ArpStart> ArpLog::Starts() const {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
    // The recorder renames a record to this extension only once it is complete.
    if (entry.path().extension() != kArpRecordExtension) continue;
    const std::wstring name = entry.path().filename().wstring();
    if (read_.count(name) != 0) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ArpStart start;
    start.record = ParseArpRecord(text);
    start.timeMs = FileTimeToMs(start.record.createdAt);
    read_.emplace(name, std::move(start));
  }
  std::vector<ArpStart> starts;
  for (const auto& [name, start] : read_) starts.push_back(start);
  std::sort(starts.begin(), starts.end(),
            [](const ArpStart& a, const ArpStart& b) { return a.timeMs < b.timeMs; });
  return starts;
}

std::vector<double> ArpLog::TimesSince(double fromMs) const {
  std::vector<double> times;
  for (const ArpStart& start : Starts()) {
    if (start.timeMs >= fromMs) times.push_back(start.timeMs);
  }
  return times;
}

std::vector<double> ArpLog::WaitForStartsSince(double fromMs, std::size_t count,
                                               std::chrono::milliseconds timeout) const {
  std::vector<double> times;
  // Starts come at most a few times a second: polling faster would only load the machine.
  WaitUntil(
      [&] {
        times = TimesSince(fromMs);
        return times.size() >= count;
      },
      timeout, 100ms);
  return times;
}

}  // namespace e2e
