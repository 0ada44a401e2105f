// One run of the program as the tray tests need it.
#include "tray/TrayProgram.h"

#include "harness/WindowQuery.h"

namespace e2e {
namespace {

LaunchOptions Options(WORD showCommand) {
  LaunchOptions options;
  options.showCommand = showCommand;
  // The recording library replaces the shipped admds.dll when the test run provides one.
  const std::filesystem::path recorder = AdRecorderPath();
  if (!recorder.empty()) options.extraFiles = {recorder};
  return options;
}

HWND TopLevelOfClass(DWORD processId, std::wstring_view className) {
  for (HWND window : TopLevelWindows(processId)) {
    if (ClassName(window) == className) return window;
  }
  return nullptr;
}

}  // namespace

std::vector<MenuItemLook> MenuWhenOn() {
  return {{L"开始反ARP欺骗", false}, {L"停止反ARP欺骗", true}, {L"退出", true}};
}

std::vector<MenuItemLook> MenuWhenOff() {
  return {{L"开始反ARP欺骗", true}, {L"停止反ARP欺骗", false}, {L"退出", true}};
}

TrayProgram::TrayProgram(WORD showCommand) : program_(Options(showCommand)) {}

bool TrayProgram::WaitForWindows(milliseconds timeout) {
  const DWORD id = program_.ProcessId();
  return WaitUntil(
      [&] {
        application_ = TopLevelOfClass(id, L"ArpflushApplication");
        form_ = TopLevelOfClass(id, L"TForm1");
        trayWindow_ = TopLevelOfClass(id, L"arpflush.TrayIcon");
        return application_ != nullptr && form_ != nullptr && trayWindow_ != nullptr;
      },
      timeout);
}

bool TrayProgram::WindowShown() const {
  return IsWindowVisible(form_) && IsWindowVisible(application_);
}

bool TrayProgram::WindowHidden() const {
  return !IsWindowVisible(form_) && !IsWindowVisible(application_);
}

}  // namespace e2e
