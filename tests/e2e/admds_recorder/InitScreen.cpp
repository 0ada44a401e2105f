// A recording admds.dll for the end-to-end tests: every call of InitScreen appends one line
// (CallLine.h) to the file named by ARPFLUSH_E2E_ADLOG. With ARPFLUSH_E2E_ADFAULT=first, the
// first call of the process writes its line and then raises an access violation, as a
// crashing ad library would.
#include <windows.h>

#include <cstdint>
#include <string>

#include "CallLine.h"

namespace {

// The recorder's one piece of process state: whether the first call has been made. It is
// what "the first call of the process" means, and the library has no object to keep it in.
bool firstCallMade = false;

std::wstring Environment(const wchar_t* name) {
  wchar_t value[1024];
  const DWORD length = GetEnvironmentVariableW(name, value, 1024);
  return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

class AppendFile {
 public:
  explicit AppendFile(const std::wstring& path)
      : file_(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;
  ~AppendFile() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  // One write per line, so lines of several processes never interleave. A failed write is
  // deliberately ignored: the test reading the log sees the line missing.
  void Write(const std::string& line) {
    if (file_ == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  }

 private:
  HANDLE file_;
};

// Appends the call's line to the log, when there is one. Everything it builds is freed when
// it returns, before a fault can abandon the call.
void Record(HWND panel, const char* address, std::uint32_t colour, bool faulting) {
  const std::wstring logPath = Environment(L"ARPFLUSH_E2E_ADLOG");
  if (logPath.empty()) return;
  AppendFile(logPath).Write(recorder::CallLine(panel, address, colour, faulting));
}

[[noreturn]] void RaiseAccessViolation() {
  // Volatile pointer and pointee: the compiler must emit the store as written, neither a trap
  // of its own in its place nor nothing (a store nobody reads is dead).
  volatile int* volatile target = nullptr;
  *target = 1;
  __builtin_unreachable();
}

}  // namespace

extern "C" void WINAPI InitScreen(HWND panel, const char* address, std::uint32_t colour) {
  const bool faulting = !firstCallMade && Environment(L"ARPFLUSH_E2E_ADFAULT") == L"first";
  firstCallMade = true;
  Record(panel, address, colour, faulting);
  if (faulting) RaiseAccessViolation();
}
