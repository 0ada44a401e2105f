// One run of the program under test, started as a user's shell would start it, from a
// folder of its own that holds a copy of the program and the DLLs shipped beside it.
// Every arp it starts logs into a folder of this run only, so runs never mix their starts.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "harness/ArpLog.h"
#include "harness/ScratchFolder.h"
#include "harness/UniqueHandle.h"
#include "harness/Wait.h"

namespace e2e {

struct LaunchOptions {
  // The show state a shortcut's "Run:" setting passes (SW_SHOWMINNOACTIVE for "Minimized").
  WORD showCommand = SW_SHOWNORMAL;
  // Copied beside the program after it, replacing shipped files of the same name.
  std::vector<std::filesystem::path> extraFiles;
  // The current directory of the program; its own folder when empty.
  std::filesystem::path workingDirectory;
};

class ProgramUnderTest {
 public:
  explicit ProgramUnderTest(const LaunchOptions& options = {});
  ProgramUnderTest(const ProgramUnderTest&) = delete;
  ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;
  // Ends the process if it still runs, then removes its folder.
  ~ProgramUnderTest();

  DWORD ProcessId() const { return processId_; }
  const std::filesystem::path& Folder() const { return programFolder_; }
  const ArpLog& Arp() const { return arp_; }
  // When the process was created, on the shared clock.
  double LaunchedAtMs() const { return launchedAtMs_; }

  bool IsRunning() const;
  // The exit code once the process has ended, or nothing when `timeout` passes first.
  std::optional<DWORD> WaitForExit(milliseconds timeout = kReactionTimeout) const;
  // A visible top-level window of the process with this caption; null at the deadline.
  HWND WaitForVisibleWindow(std::wstring_view caption, milliseconds timeout = 10s) const;

 private:
  // Declared first, destroyed last: the process must be gone before its folder is removed.
  ScratchFolder scratch_;
  std::filesystem::path programFolder_;
  ArpLog arp_;
  UniqueHandle process_;
  DWORD processId_ = 0;
  DWORD threadId_ = 0;
  double launchedAtMs_ = 0;
};

}  // namespace e2e
