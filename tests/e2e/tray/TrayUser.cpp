// The user at the notification area.
#include "tray/TrayUser.h"

#include "harness/WindowQuery.h"
#include "tray/TrayArea.h"
#include "tray/TrayProgram.h"

namespace e2e {

std::optional<POINT> TrayUser::IconCentre() const {
  const std::vector<TrayIconView> icons = PresentIcons(kTrayHint);
  // Another icon with the same hint would make the click ambiguous.
  if (icons.size() != 1) return std::nullopt;
  return icons.front().Centre();
}

bool TrayUser::ClickIcon(MouseButton button) {
  const std::optional<POINT> centre = IconCentre();
  return centre.has_value() && mouse_.Click(button, *centre);
}

bool TrayUser::DoubleClickIcon(MouseButton button) {
  const std::optional<POINT> centre = IconCentre();
  return centre.has_value() && mouse_.DoubleClick(button, *centre);
}

HWND TrayUser::OpenMenu() const {
  for (HWND window : TopLevelWindows(processId_)) {
    if (ClassName(window) == L"#32768" && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

HWND TrayUser::WaitForMenu(milliseconds timeout) const {
  HWND menu = nullptr;
  WaitUntil([&] { return (menu = OpenMenu()) != nullptr; }, timeout);
  return menu;
}

bool TrayUser::WaitForNoMenu(milliseconds timeout) const {
  return WaitUntil([&] { return OpenMenu() == nullptr; }, timeout);
}

HWND TrayUser::OpenIconMenu() {
  if (!ClickIcon(MouseButton::kRight)) return nullptr;
  return WaitForMenu();
}

bool TrayUser::Choose(HWND menu, const MenuPicture& layout, std::size_t index) {
  if (index >= layout.items.size()) return false;
  return mouse_.Click(MouseButton::kLeft, ItemCentre(menu, layout, index));
}

bool TrayUser::ClickAway() {
  // The top right of the screen: the desktop's own icons line up on the left, the program's
  // window starts centred, the taskbar is at the bottom.
  return mouse_.Click(MouseButton::kLeft, {GetSystemMetrics(SM_CXSCREEN) - 60, 60});
}

}  // namespace e2e
