// One run of the program under test.
#include "harness/ProgramUnderTest.h"

#include <stdexcept>
#include <string>

#include "harness/Clock.h"
#include "harness/TestEnvironment.h"
#include "harness/Text.h"
#include "harness/WindowQuery.h"

namespace e2e {

namespace {

// This process's environment plus the recorder's folder for the program's arp starts.
std::wstring EnvironmentWithArpLog(const std::filesystem::path& arpFolder) {
  const std::wstring variable = std::wstring(kArpLogVariable) + L"=";
  std::wstring block;
  wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* entry = strings; *entry != L'\0';) {
    const std::wstring_view text(entry);
    if (text.compare(0, variable.size(), variable) != 0) {
      block.append(text);
      block.push_back(L'\0');
    }
    entry += text.size() + 1;
  }
  FreeEnvironmentStringsW(strings);
  block += variable + arpFolder.wstring();
  block.push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

void CopyInto(const std::filesystem::path& file, const std::filesystem::path& folder) {
  std::filesystem::copy_file(file, folder / file.filename(),
                             std::filesystem::copy_options::overwrite_existing);
}

}  // namespace

ProgramUnderTest::ProgramUnderTest(const LaunchOptions& options)
    : programFolder_(scratch_.Path() / L"program"), arp_(scratch_.Path() / L"arp") {
  std::filesystem::create_directories(programFolder_);
  std::filesystem::create_directories(arp_.Folder());

  // The program and whatever it ships with (the ad library), as a user unpacks them.
  const std::filesystem::path program = ProgramPath();
  CopyInto(program, programFolder_);
  for (const auto& entry : std::filesystem::directory_iterator(program.parent_path())) {
    if (entry.path().extension() == L".dll") CopyInto(entry.path(), programFolder_);
  }
  for (const auto& file : options.extraFiles) CopyInto(file, programFolder_);

  const std::filesystem::path executable = programFolder_ / program.filename();
  std::wstring commandLine = L"\"" + executable.wstring() + L"\"";
  std::wstring environment = EnvironmentWithArpLog(arp_.Folder());
  const std::filesystem::path directory =
      options.workingDirectory.empty() ? programFolder_ : options.workingDirectory;

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = options.showCommand;
  PROCESS_INFORMATION info{};
  launchedAtMs_ = NowMs();
  if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT, environment.data(), directory.c_str(), &startup,
                      &info)) {
    throw std::runtime_error("cannot start " + Narrow(executable.wstring()) + ", error " +
                             std::to_string(GetLastError()));
  }
  process_ = UniqueHandle(info.hProcess);
  UniqueHandle thread(info.hThread);
  processId_ = info.dwProcessId;
  threadId_ = info.dwThreadId;
}

ProgramUnderTest::~ProgramUnderTest() {
  if (!IsRunning()) return;
  // Ending its message loop lets the program clean up as it does on exit (its tray icon
  // above all, which would otherwise linger in the session's notification area for the
  // tests that follow). A modal loop, such as an open error box, passes WM_QUIT on.
  PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  if (WaitForSingleObject(process_.Get(), 3000) == WAIT_TIMEOUT) {
    TerminateProcess(process_.Get(), 1);
    WaitForSingleObject(process_.Get(), 5000);
  }
}

bool ProgramUnderTest::IsRunning() const {
  return WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ProgramUnderTest::WaitForExit(milliseconds timeout) const {
  if (WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.Get(), &code);
  return code;
}

HWND ProgramUnderTest::WaitForVisibleWindow(std::wstring_view caption, milliseconds timeout) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = FindTopLevel(processId_, caption);
        return found != nullptr && IsWindowVisible(found);
      },
      timeout);
  return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

}  // namespace e2e
