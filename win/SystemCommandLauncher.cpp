// Starts a system command hidden, from the system directory only, off the window's thread.
#include "win/SystemCommandLauncher.h"

#include <windows.h>

#include <vector>

#include "win/Text.h"

namespace win {

namespace {

// One start, owned by the pool callback that carries it out.
struct PendingStart {
  std::wstring program;
  std::vector<wchar_t> commandLine;  // CreateProcessW may write into it
  std::shared_ptr<std::atomic<bool>> starting;
};

// Runs on a pool thread: only Win32 calls, nothing that throws.
void CALLBACK RunStart(PTP_CALLBACK_INSTANCE, void* context) {
  std::unique_ptr<PendingStart> start(static_cast<PendingStart*>(context));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  // DETACHED_PROCESS: the console program gets no console at all, so no window can flash up
  // (CREATE_NO_WINDOW would also make Wine start a console host for every start).
  if (CreateProcessW(start->program.c_str(), start->commandLine.data(), nullptr, nullptr, FALSE,
                     DETACHED_PROCESS, nullptr, nullptr, &startup, &process)) {
    // We keep nothing of the started command: no waiting, no result.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  start->starting->store(false);
}

}  // namespace

SystemCommandLauncher::SystemCommandLauncher()
    : starting_(std::make_shared<std::atomic<bool>>(false)) {
  wchar_t directory[MAX_PATH];
  const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
  if (length > 0 && length < MAX_PATH) systemDirectory_.assign(directory, length);
}

void SystemCommandLauncher::StartHidden(std::string_view commandLine) {
  if (systemDirectory_.empty()) return;   // no system directory: nothing safe to start
  if (starting_->exchange(true)) return;  // the previous start is still being created

  const std::wstring command = Widen(commandLine);
  auto start = std::make_unique<PendingStart>();
  start->program = systemDirectory_ + L"\\" + command.substr(0, command.find(L' ')) + L".exe";
  start->commandLine.assign(command.begin(), command.end());
  start->commandLine.push_back(L'\0');
  start->starting = starting_;

  if (TrySubmitThreadpoolCallback(RunStart, start.get(), nullptr)) {
    start.release();  // the callback owns it now
  } else {
    starting_->store(false);  // no pool thread to be had: ignored like any failed start
  }
}

}  // namespace win
