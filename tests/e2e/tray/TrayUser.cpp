// The user at the notification area.
#include "tray/TrayUser.h"

#include "harness/Clock.h"
#include "harness/ScreenImage.h"
#include "harness/WindowQuery.h"
#include "tray/TrayArea.h"
#include "tray/TrayProgram.h"

namespace e2e {

std::optional<POINT> TrayUser::IconCentre() const {
  const std::vector<TrayIconView> icons = PresentIcons(kTrayHint);
  // Another icon with the same hint would make the click ambiguous.
  if (icons.size() != 1) return std::nullopt;
  SilenceHints(icons);
  return icons.front().Centre();
}

bool TrayUser::ClickIcon(MouseButton button) {
  const std::optional<POINT> centre = IconCentre();
  if (!centre) return false;
  mouse_.Click(button, *centre);
  lastClickAtMs_ = NowMs();
  return true;
}

bool TrayUser::DoubleClickIcon(MouseButton button) {
  const std::optional<POINT> centre = IconCentre();
  if (!centre) return false;
  mouse_.DoubleClick(button, *centre);
  lastClickAtMs_ = NowMs();
  return true;
}

namespace {

// Whether the thread showing `menu` tracks the mouse for it yet. The menu window appears a
// moment before its thread takes the mouse capture; a click in between goes to whatever
// lies under the pointer and the menu never hears of it.
bool TracksMouse(HWND menu) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(menu, nullptr), &info)) return false;
  return (info.flags & GUI_INMENUMODE) != 0 && info.hwndCapture != nullptr;
}

}  // namespace

HWND TrayUser::OpenMenu() const {
  for (HWND window : TopLevelWindows(processId_)) {
    if (ClassName(window) == L"#32768" && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

HWND TrayUser::WaitForMenu(milliseconds timeout) const {
  HWND menu = nullptr;
  WaitUntil([&] { return (menu = OpenMenu()) != nullptr && TracksMouse(menu); }, timeout);
  return menu != nullptr && TracksMouse(menu) ? menu : nullptr;
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
  RECT item = layout.items[index];
  RECT menuRect{};
  GetWindowRect(menu, &menuRect);
  OffsetRect(&item, menuRect.left, menuRect.top);
  const POINT centre = ItemCentre(menu, layout, index);
  // Point at the item and press only once the menu shows it highlighted, as a hand does:
  // then the menu has followed the pointer onto that item, and a press can only choose it.
  // A press the menu sees anywhere else would close it unchosen.
  const ScreenImage unhovered = ScreenImage::Capture(item);
  const bool highlighted = WaitUntil(
      [&] {
        mouse_.MoveTo(centre);
        return ScreenImage::Capture(item).Pixels() != unhovered.Pixels();
      },
      2s);
  mouse_.Click(MouseButton::kLeft, centre);
  lastClickAtMs_ = NowMs();
  return highlighted;
}

void TrayUser::ClickAway() {
  // The top right of the screen: the desktop's own icons line up on the left, the program's
  // window starts centred, the taskbar is at the bottom.
  mouse_.Click(MouseButton::kLeft, {GetSystemMetrics(SM_CXSCREEN) - 60, 60});
  lastClickAtMs_ = NowMs();
}

}  // namespace e2e
