// The error raised when a Win32 call fails while the program builds its windows.
#pragma once

namespace win {

// Throws std::runtime_error "<call> failed, error <GetLastError()>".
[[noreturn]] void ThrowLastError(const char* call);

}  // namespace win
