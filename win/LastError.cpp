// The error raised when a Win32 call fails.
#include "win/LastError.h"

#include <windows.h>

#include <stdexcept>
#include <string>

namespace win {

void ThrowLastError(const char* call) {
  // Read first: building the message may change the thread's last error.
  const DWORD error = GetLastError();
  throw std::runtime_error(std::string(call) + " failed, error " + std::to_string(error));
}

}  // namespace win
