// The user at the notification area: clicks on the program's icon, opens its menu, looks at
// it and chooses from it, all with the mouse.
#pragma once

#include <windows.h>

#include <optional>

#include "harness/Wait.h"
#include "tray/MenuPicture.h"
#include "tray/Mouse.h"

namespace e2e {

class TrayUser {
 public:
  // Acts on the icon of the program with this process id, whose menus it watches.
  explicit TrayUser(DWORD processId) : processId_(processId) {}

  // Clicks on the one icon present with the program's hint (whose own hint bubble it keeps
  // down); false when there is no such icon.
  bool ClickIcon(MouseButton button);
  bool DoubleClickIcon(MouseButton button = MouseButton::kLeft);

  // The program's open popup menu, waited for until it answers the mouse; null at the
  // deadline.
  HWND WaitForMenu(milliseconds timeout = kReactionTimeout) const;
  bool WaitForNoMenu(milliseconds timeout = kReactionTimeout) const;
  // The program's open popup menu now, or null.
  HWND OpenMenu() const;

  // Right-clicks the icon and waits for the menu, which opens at the pointer; null when none
  // opened.
  HWND OpenIconMenu();
  // Points at item `index` of the open menu, placed as in `layout`, and clicks it once the
  // menu shows it highlighted; false when there is no such item or it never lit up (the
  // click is made all the same).
  bool Choose(HWND menu, const MenuPicture& layout, std::size_t index);
  // Clicks on an empty part of the desktop, as a user does to close a menu unchosen.
  void ClickAway();

  // When the last click was made, on the shared clock (Clock.h): after any wait that kept it
  // apart from the click before, so that figures measure the program alone.
  double LastClickAtMs() const { return lastClickAtMs_; }

 private:
  std::optional<POINT> IconCentre() const;

  DWORD processId_;
  Mouse mouse_;
  double lastClickAtMs_ = 0;
};

}  // namespace e2e
