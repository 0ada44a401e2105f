// A message box of the program under test, read from outside: its title, text and buttons,
// and whether it shows the error icon.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "harness/Wait.h"

namespace e2e {

struct MessageBoxView {
  HWND window = nullptr;
  std::wstring title;
  std::wstring text;
  std::vector<std::wstring> buttons;
  HWND icon = nullptr;  // the static control that shows the icon, if any
};

// The visible message box (dialog class "#32770") of the process, if one is open.
std::optional<MessageBoxView> FindMessageBox(DWORD processId);
std::optional<MessageBoxView> WaitForMessageBox(DWORD processId,
                                                milliseconds timeout = kReactionTimeout);

// Icon handles mean nothing in another process, so the icon is judged by its pixels on the
// screen: the error icon is the only standard one that is mostly red.
bool ShowsErrorIcon(const MessageBoxView& box);

// Clicks the OK button (IDOK), as the user does.
void PressOk(const MessageBoxView& box);

}  // namespace e2e
