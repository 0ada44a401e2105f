// Driving a running arpflush for long runs: setting the flush period through the window as a
// user does, and hiding the window to the tray and bringing it back without the mouse.
#pragma once

#include <windows.h>

#include <cstdint>

#include "harness/MainForm.h"
#include "harness/ProgramUnderTest.h"

namespace e2e {

class ProgramControl {
 public:
  // Waits for the main form and the tray icon's window of `program`; check IsReady().
  explicit ProgramControl(const ProgramUnderTest& program);

  bool IsReady() const { return form_.IsFound() && trayWindow_ != nullptr; }
  const MainForm& Form() const { return form_; }
  HWND TrayWindow() const { return trayWindow_; }

  // Stops protection (the button shows "Start"); false when the program did not follow.
  bool Stop() const;
  // Stops protection if it runs, types the period into the field and starts again.
  bool RunAt(std::uint32_t periodMs) const;
  // Minimizes the window to the tray, waits until it is hidden, then double-clicks the icon
  // the way the shell reports it and waits until the window is back.
  bool HideAndRestore() const;
  // Returns once the program has handled every message sent before: its figures are then
  // those of an idle program.
  bool WaitUntilIdle() const;

 private:
  MainForm form_;
  HWND trayWindow_ = nullptr;
};

}  // namespace e2e
