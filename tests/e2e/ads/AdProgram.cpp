// One run of the program with the recording ad library beside it.
#include "ads/AdProgram.h"

#include <stdexcept>
#include <string_view>

#include "harness/WindowQuery.h"

namespace e2e {
namespace {

// The shell's notification for our icon: WM_APP + 1, the icon id in wParam, the mouse
// message in lParam.
constexpr UINT kTrayCallbackMessage = WM_APP + 1;
constexpr WPARAM kTrayIconId = 1;

LaunchOptions WithRecorder() {
  const std::filesystem::path recorder = AdRecorderPath();
  // Without it the shipped library would answer and the log would stay empty: say so plainly.
  if (recorder.empty()) throw std::runtime_error("ARPFLUSH_E2E_AD_RECORDER is not set");
  LaunchOptions options;
  options.extraFiles = {recorder};
  return options;
}

}  // namespace

AdProgram::AdProgram(AdFault fault) : ads_(fault), program_(WithRecorder()) {}

bool AdProgram::WaitForWindows(milliseconds timeout) {
  const DWORD id = program_.ProcessId();
  return WaitUntil(
      [&] {
        form_ = FindTopLevelOfClass(id, L"TForm1");
        trayWindow_ = FindTopLevelOfClass(id, L"arpflush.TrayIcon");
        return form_ != nullptr && trayWindow_ != nullptr;
      },
      timeout);
}

HWND AdProgram::Panel1() const { return GetDlgItem(form_, kPanel1Id); }

HWND AdProgram::Panel(int id) const { return GetDlgItem(Panel1(), id); }

bool AdProgram::HideToTray() const {
  PostMessageW(form_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  return WaitUntil([&] { return !FormShown(); });
}

void AdProgram::PostIconDoubleClick() const {
  PostMessageW(trayWindow_, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
}

bool AdProgram::WaitUntilIdle() const {
  // A sent message is handled only after everything the thread's queue held before it; the
  // form and the icon's window share the program's one thread.
  return SendToProgram(trayWindow_, WM_NULL, 0, 0) && SendToProgram(form_, WM_NULL, 0, 0);
}

}  // namespace e2e
