// Starts a system command hidden, from the system directory only.
#include "win/SystemCommandLauncher.h"

#include <windows.h>

#include <vector>

#include "win/Text.h"

namespace win {

SystemCommandLauncher::SystemCommandLauncher() {
  wchar_t directory[MAX_PATH];
  const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
  if (length > 0 && length < MAX_PATH) systemDirectory_.assign(directory, length);
}

void SystemCommandLauncher::StartHidden(std::string_view commandLine) {
  if (systemDirectory_.empty()) return;  // no system directory: nothing safe to start
  const std::wstring command = Widen(commandLine);
  const std::wstring program =
      systemDirectory_ + L"\\" + command.substr(0, command.find(L' ')) + L".exe";

  // CreateProcessW may write into the command line, so it gets a copy of its own.
  std::vector<wchar_t> mutableCommand(command.begin(), command.end());
  mutableCommand.push_back(L'\0');

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(program.c_str(), mutableCommand.data(), nullptr, nullptr, FALSE,
                     CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
    // We keep nothing of the started command: no waiting, no result.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

}  // namespace win
