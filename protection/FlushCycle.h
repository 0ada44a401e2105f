// One flush of the ARP cache: start "arp -d" hidden, and never wait for it.
#pragma once

#include <string_view>

namespace protection {

// The command that empties the operating system's ARP cache.
inline constexpr std::string_view kFlushCommandLine = "arp -d";

// Starts programs as hidden processes.
class CommandLauncher {
 public:
  virtual ~CommandLauncher() = default;
  // Starts `commandLine` hidden and returns at once; failures are the launcher's to swallow.
  virtual void StartHidden(std::string_view commandLine) = 0;
};

// The flush timer's tick: starts the flush command and ignores how it went.
void FlushArpCache(CommandLauncher& launcher);

}  // namespace protection
