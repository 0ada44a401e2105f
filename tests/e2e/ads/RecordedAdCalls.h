// Every call of InitScreen the program makes, as the recording admds.dll logs it, with all
// that the line says: which window, its place and size, whether its top-level window was
// shown, the address and the colour.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "harness/ScratchFolder.h"
#include "harness/Wait.h"

namespace e2e {

struct RecordedAdCall {
  HWND panel = nullptr;
  std::string panelClass;
  HWND parent = nullptr;
  int x = 0;  // in the parent's client coordinates
  int y = 0;
  int width = 0;
  int height = 0;
  bool rootVisible = false;  // whether the panel's top-level window was shown at the call
  std::string address;
  std::uint32_t colour = 0;
  bool faulted = false;  // the recorder raised an access violation after logging this call
};

// The recording admds.dll named by ARPFLUSH_E2E_AD_RECORDER, as a Windows path; empty when
// the test run names none.
std::filesystem::path AdRecorderPath();

enum class AdFault { kNone, kFirstCall };

// Names a fresh log file (and, when asked, the recorder's fault on its first call) to every
// program started while this object lives, through the environment they inherit.
class RecordedAdCalls {
 public:
  explicit RecordedAdCalls(AdFault fault = AdFault::kNone);
  RecordedAdCalls(const RecordedAdCalls&) = delete;
  RecordedAdCalls& operator=(const RecordedAdCalls&) = delete;
  ~RecordedAdCalls();

  std::vector<RecordedAdCall> Calls() const;
  // Waits until at least `count` calls are logged; false at the deadline.
  bool WaitForCount(std::size_t count, milliseconds timeout = kReactionTimeout) const;

 private:
  ScratchFolder folder_;
  std::filesystem::path file_;
};

}  // namespace e2e
