// Starts a system command hidden, from the system directory only, off the window's thread.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>

#include "protection/FlushCycle.h"

namespace win {

// The program runs elevated, and a program started by bare name is looked for first in the
// program's own folder and the current directory: a planted "arp.exe" there would run with
// our rights (CWE-427). So the command's first word is taken from the system directory.
//
// Creating a process blocks its caller until the child is set up (60-130 ms under Wine, and
// long wherever a virus scanner looks at each start), which would freeze the window on every
// tick. So the start is handed to the system thread pool, one at a time: a tick that comes
// while the previous start is still being created drops its start, just as the timer drops
// ticks that a busy thread cannot take.
class SystemCommandLauncher : public protection::CommandLauncher {
 public:
  SystemCommandLauncher();

  // Starts "<system directory>\<first word>.exe" with `commandLine`, hidden and without a
  // console; closes both handles at once and never waits. A failed start is ignored: the
  // next tick tries again.
  void StartHidden(std::string_view commandLine) override;

 private:
  std::wstring systemDirectory_;
  // Shared with the start in flight, which may outlive this object at exit.
  std::shared_ptr<std::atomic<bool>> starting_;
};

}  // namespace win
