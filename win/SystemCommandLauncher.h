// Starts a system command hidden, from the system directory only.
#pragma once

#include <string>
#include <string_view>

#include "protection/FlushCycle.h"

namespace win {

// The program runs elevated, and a program started by bare name is looked for first in the
// program's own folder and the current directory: a planted "arp.exe" there would run with
// our rights (CWE-427). So the command's first word is taken from the system directory.
class SystemCommandLauncher : public protection::CommandLauncher {
 public:
  SystemCommandLauncher();

  // Starts "<system directory>\<first word>.exe" with `commandLine`, hidden and without a
  // console window; closes both handles at once and never waits. A failed start is ignored:
  // the next tick tries again.
  void StartHidden(std::string_view commandLine) override;

 private:
  std::wstring systemDirectory_;
};

}  // namespace win
