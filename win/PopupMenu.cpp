// A context menu of text items, each with its own click callback, opened at a screen point.
#include "win/PopupMenu.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "win/Handler.h"
#include "win/LastError.h"

namespace win {

PopupMenu::PopupMenu() : menu_(CreatePopupMenu()) {
  if (menu_ == nullptr) {
    ThrowLastError("CreatePopupMenu");
  }
}

PopupMenu::~PopupMenu() {
  // The HMENU first, then (as members) the items' callbacks, which only Popup calls. An onClick
  // may destroy the menu: it runs after TrackPopupMenu has returned and the menu is closed.
  DestroyMenu(menu_);
}

std::size_t PopupMenu::AddItem(std::wstring_view caption, std::function<void()> onClick) {
  const std::size_t index = items_.size();
  // AppendMenuW wants a NUL-terminated string; a view need not be one.
  const std::wstring text(caption);
  if (!AppendMenuW(menu_, MF_STRING | MF_ENABLED, ItemId(index), text.c_str())) {
    ThrowLastError("AppendMenuW");
  }
  auto item = std::make_unique<MenuItem>();
  item->onClick = std::move(onClick);
  items_.push_back(std::move(item));
  return index;
}

MenuItem& PopupMenu::Item(std::size_t index) {
  CheckIndex(index);
  return *items_[index];
}

void PopupMenu::SetItemEnabled(std::size_t index, bool enabled) {
  CheckIndex(index);
  const UINT state = static_cast<UINT>(enabled ? MF_ENABLED : MF_GRAYED);
  EnableMenuItem(menu_, ItemId(index), MF_BYCOMMAND | state);
}

bool PopupMenu::ItemEnabled(std::size_t index) const {
  CheckIndex(index);
  // The menu itself holds the state; a second copy here could only drift from it.
  const UINT state = GetMenuState(menu_, ItemId(index), MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void PopupMenu::Popup(HWND owner, POINT screenPoint) {
  // A menu only closes on a click outside it when its owner's thread has the foreground:
  // mouse input elsewhere is otherwise not ours to see, and the menu stays open until an
  // item is chosen or Escape is pressed. The owner is often a hidden window, which is fine.
  SetForegroundWindow(owner);

  // Open towards the side the user's reading order expects (right-to-left systems).
  const UINT alignment = static_cast<UINT>(
      GetSystemMetrics(SM_MENUDROPALIGNMENT) != 0 ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
  const UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY | alignment;
  // With TPM_RETURNCMD the result is the chosen item's id, 0 when the menu was dismissed or
  // could not be shown (another menu already open); both simply mean "nothing to do".
  const int chosen = TrackPopupMenu(menu_, flags, screenPoint.x, screenPoint.y, 0, owner, nullptr);

  // Having forced the owner to the foreground, make its thread process a message now: without
  // this task switch the next time the menu is opened it can close at once or need two clicks
  // (a long-standing behaviour of menus opened from the notification area).
  PostMessageW(owner, WM_NULL, 0, 0);

  if (chosen <= 0 || static_cast<std::size_t>(chosen) > items_.size()) return;
  // Copy the callback before calling it: it may destroy this menu (and the slot with it), and
  // nothing below touches a member.
  const std::function<void()> onClick = items_[static_cast<std::size_t>(chosen) - 1]->onClick;
  if (onClick) RunHandler(onClick);
}

void PopupMenu::CheckIndex(std::size_t index) const {
  if (index >= items_.size()) {
    throw std::out_of_range("PopupMenu has no item " + std::to_string(index));
  }
}

}  // namespace win
