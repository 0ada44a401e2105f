// One flush of the ARP cache.
#include "protection/FlushCycle.h"

namespace protection {

void FlushArpCache(CommandLauncher& launcher) {
  // No check, no retry, no waiting: the next tick starts a new command regardless.
  launcher.StartHidden(kFlushCommandLine);
}

}  // namespace protection
