// The calls the program makes into its ad library, as the recording admds.dll logs them:
// each showing of the main window from invisible to visible hands both ad panels over, so
// the log tells when the window's show handler ran.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "harness/ScratchFolder.h"

namespace e2e {

struct AdCall {
  std::string panel;  // the panel's window handle, as logged (0x hex)
  std::string panelClass;
  bool windowVisible = false;  // whether the panel's top-level window was visible then
};

// The recording admds.dll the tests put beside the program in place of the shipped one,
// named by ARPFLUSH_E2E_AD_RECORDER; empty when the test run names none.
std::filesystem::path AdRecorderPath();

// Names a fresh log file to every program started while this object lives (through the
// environment they inherit) and reads it back.
class AdCallLog {
 public:
  AdCallLog();
  AdCallLog(const AdCallLog&) = delete;
  AdCallLog& operator=(const AdCallLog&) = delete;
  ~AdCallLog();

  std::vector<AdCall> Calls() const;

 private:
  ScratchFolder folder_;
  std::filesystem::path file_;
};

}  // namespace e2e
