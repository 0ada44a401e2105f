// The notification area as a user sees it, read from outside: which icons it shows, with
// which hint and where; plus the two things a shell restart does to the icons.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "harness/Wait.h"

namespace e2e {

struct TrayIconView {
  HWND tooltip = nullptr;  // the shell's tooltip window that shows the hint
  std::wstring hint;
  RECT screenRect{};  // empty once the icon has left the notification area

  bool Present() const { return !IsRectEmpty(&screenRect); }
  POINT Centre() const {
    return {(screenRect.left + screenRect.right) / 2, (screenRect.top + screenRect.bottom) / 2};
  }
};

// Every icon the shell keeps a tooltip for, removed ones included (their rectangle is
// empty). Throws std::runtime_error when there is no taskbar or the shell cannot be read.
std::vector<TrayIconView> ReadTrayIcons();

// The icons present in the notification area whose hint is `hint`.
std::vector<TrayIconView> PresentIcons(std::wstring_view hint);

// Waits until exactly one icon with `hint` is present and returns it; nothing at the deadline.
std::optional<TrayIconView> WaitForOneIcon(std::wstring_view hint, milliseconds timeout);
// Waits until no icon with `hint` is present.
bool WaitForNoIcon(std::wstring_view hint, milliseconds timeout = kReactionTimeout);

// Keeps the shell from popping up the hints of these icons. A hint left up over an icon's
// menu covers its items, spoiling their picture and catching clicks meant for them; and it
// does stay up, because while a menu is open Wine moves only its own idea of the pointer,
// not the display's, so the shell goes on seeing the pointer on the icon.
void SilenceHints(const std::vector<TrayIconView>& icons);

// What a restarting shell does to the icons: first it forgets every icon the window `owner`
// added (true when it had at least one), later the new taskbar announces itself to every
// top-level window with the registered message "TaskbarCreated".
bool ForgetIconsOf(HWND owner);
bool BroadcastTaskbarCreated();

}  // namespace e2e
