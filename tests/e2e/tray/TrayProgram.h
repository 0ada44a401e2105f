// One run of the program as the tray tests need it: started with the recording ad library,
// its three top-level windows found by class whether shown or not, and the texts its icon
// and menu should show.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "harness/ProgramUnderTest.h"
#include "harness/Wait.h"
#include "tray/AdCallLog.h"
#include "tray/MenuPicture.h"

namespace e2e {

inline constexpr std::wstring_view kTrayHint = L"反ARP欺骗1.1版";

// The tray menu's items, in order.
inline constexpr std::size_t kStartItem = 0;
inline constexpr std::size_t kStopItem = 1;
inline constexpr std::size_t kExitItem = 2;
// The menu as it should look while protection is on, and while it is off: exactly one of
// start and stop is enabled, the one that leads to the other state; none is the default.
std::vector<MenuItemLook> MenuWhenOn();
std::vector<MenuItemLook> MenuWhenOff();

// The first start of the shell comes with the first program of a session.
inline constexpr milliseconds kIconTimeout = 15s;

class TrayProgram {
 public:
  explicit TrayProgram(WORD showCommand = SW_SHOWNORMAL);

  const ProgramUnderTest& Program() const { return program_; }
  const AdCallLog& Ads() const { return ads_; }

  // Found once by WaitForWindows; null before or when missing.
  HWND Application() const { return application_; }
  HWND Form() const { return form_; }
  HWND TrayWindow() const { return trayWindow_; }

  // Waits until the application window, the main form and the icon's window all exist.
  bool WaitForWindows(milliseconds timeout = 10s);
  // Waits for the icon and the three windows, then for the window on the screen with its
  // first showing done (both ad panels handed over); says what is missing at the deadline.
  ::testing::AssertionResult WaitUntilShown();

  // Waits until the form and the application window (which carries the taskbar button) are
  // both shown, or both hidden; says which is not at the deadline.
  ::testing::AssertionResult WaitForWindowShown(milliseconds timeout = kReactionTimeout) const;
  ::testing::AssertionResult WaitForWindowHidden(milliseconds timeout = kReactionTimeout) const;
  // Watches for `duration` that neither of them shows, not even for a moment.
  bool StaysHidden(milliseconds duration) const;

 private:
  // Declared first: programs started while it lives write to its log.
  AdCallLog ads_;
  ProgramUnderTest program_;
  HWND application_ = nullptr;
  HWND form_ = nullptr;
  HWND trayWindow_ = nullptr;
};

}  // namespace e2e
