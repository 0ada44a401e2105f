// One run of the program with the recording ad library beside it: its main form, ad panels
// and tray window found whether shown or not, and the window hidden to the tray and brought
// back without the mouse, as the shell reports a double click on the icon.
#pragma once

#include <windows.h>

#include "ads/RecordedAdCalls.h"
#include "harness/ProgramUnderTest.h"
#include "harness/Wait.h"

namespace e2e {

// The panels' control ids: Panel1 on the form holds the two ad panels.
inline constexpr int kPanel1Id = 100;
inline constexpr int kPanel2Id = 106;
inline constexpr int kPanel3Id = 107;

class AdProgram {
 public:
  explicit AdProgram(AdFault fault = AdFault::kNone);

  const ProgramUnderTest& Program() const { return program_; }
  const RecordedAdCalls& Ads() const { return ads_; }

  // Waits until the main form and the icon's window exist (shown or not).
  bool WaitForWindows(milliseconds timeout = 10s);
  HWND Form() const { return form_; }
  HWND TrayWindow() const { return trayWindow_; }
  HWND Panel1() const;
  // A child of Panel1 by control id.
  HWND Panel(int id) const;

  bool FormShown() const { return IsWindowVisible(form_) != FALSE; }
  // Posts the minimize command the title bar sends; true once the form is hidden.
  bool HideToTray() const;
  // Posts what the shell sends for a double click on the icon.
  void PostIconDoubleClick() const;
  // Returns once the program has handled every message posted to it before.
  bool WaitUntilIdle() const;

 private:
  // Declared first: the program inherits the log's environment when it starts.
  RecordedAdCalls ads_;
  ProgramUnderTest program_;
  HWND form_ = nullptr;
  HWND trayWindow_ = nullptr;
};

}  // namespace e2e
