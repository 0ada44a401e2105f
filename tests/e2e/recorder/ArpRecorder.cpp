// Stands in for the system's arp.exe in the test prefix: records how it was started, then
// exits at once. A console program, like the real one, so its starts cost what arp's do.
//
// It writes one file per start into the folder named by ARPFLUSH_E2E_ARP_LOG (nothing when
// the variable is missing), written under a temporary name and renamed, so that a reader
// never sees half a record and two starts never share a file.
#include <windows.h>

#include <tlhelp32.h>  // after windows.h, whose types it uses

#include <string>

#include "harness/ArpRecord.h"
#include "harness/Clock.h"
#include "harness/TestEnvironment.h"
#include "harness/Text.h"
#include "harness/UniqueHandle.h"

namespace {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
  return path;
}

DWORD ParentProcessId() {
  e2e::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
       more = Process32NextW(snapshot.Get(), &entry)) {
    if (entry.th32ProcessID == GetCurrentProcessId()) return entry.th32ParentProcessID;
  }
  return 0;
}

// A console program started without CREATE_NO_WINDOW gets a console window, which the
// show state may hide but which can still flash up; with the flag it gets none.
bool HasConsoleWindow() { return GetConsoleWindow() != nullptr; }

// When the starting program created this process: right at its timer's tick, unlike the
// moment this code first runs, which Wine's process start-up delays by 60-250 ms, more on a
// busy machine.
std::int64_t CreationTime() {
  FILETIME created{}, exited{}, kernel{}, user{};
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  return e2e::FileTimeValue(created);
}

}  // namespace

int wmain() {
  const std::wstring folder = e2e::EnvironmentValue(e2e::kArpLogVariable);
  if (folder.empty()) return 0;

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);

  e2e::ArpRecord record;
  record.createdAt = CreationTime();
  record.image = ModulePath();
  record.commandLine = GetCommandLineW();
  record.usesShowWindow = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0;
  record.showWindow = startup.wShowWindow;
  record.consoleWindow = HasConsoleWindow();
  record.parentProcessId = ParentProcessId();
  const std::string text = e2e::FormatArpRecord(record);

  const std::wstring name = folder + L"\\" + std::to_wstring(record.createdAt) + L"-" +
                            std::to_wstring(GetCurrentProcessId());
  const std::wstring partial = name + L".partial";
  {
    e2e::UniqueHandle file(CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return 1;
    DWORD written = 0;
    WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
  return MoveFileW(partial.c_str(), (name + e2e::kArpRecordExtension).c_str()) ? 0 : 1;
}
