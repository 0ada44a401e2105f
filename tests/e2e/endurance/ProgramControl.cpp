// Driving a running arpflush for long runs.
#include "endurance/ProgramControl.h"

#include <string>

#include "harness/WindowQuery.h"

namespace e2e {
namespace {

// The shell's notification for our icon: WM_APP + 1 with the icon id in wParam and the
// mouse message in lParam.
constexpr UINT kTrayCallbackMessage = WM_APP + 1;
constexpr WPARAM kTrayIconId = 1;

}  // namespace

ProgramControl::ProgramControl(const ProgramUnderTest& program) : form_(program) {
  WaitUntil([&] {
    trayWindow_ = FindTopLevelOfClass(program.ProcessId(), L"arpflush.TrayIcon");
    return trayWindow_ != nullptr;
  });
}

bool ProgramControl::Stop() const {
  if (form_.ButtonCaption() == kStartCaption) return true;
  form_.ClickButton();
  return form_.WaitForButtonCaption(kStartCaption);
}

bool ProgramControl::RunAt(std::uint32_t periodMs) const {
  if (!Stop()) return false;
  form_.Paste(std::to_wstring(periodMs));
  form_.ClickButton();
  return form_.WaitForButtonCaption(kStopCaption);
}

bool ProgramControl::HideAndRestore() const {
  PostMessageW(form_.Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  if (!WaitUntil([&] { return !IsWindowVisible(form_.Window()); })) return false;
  PostMessageW(trayWindow_, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
  return WaitUntil([&] { return IsWindowVisible(form_.Window()) != FALSE; });
}

bool ProgramControl::WaitUntilIdle() const {
  // A sent message is handled only after everything the program's queue held before it.
  return SendToProgram(form_.Window(), WM_NULL, 0, 0) && SendToProgram(trayWindow_, WM_NULL, 0, 0);
}

}  // namespace e2e
