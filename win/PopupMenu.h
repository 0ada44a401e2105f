// A context menu of text items, each with its own click callback, opened at a screen point.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace win {

// One entry of a PopupMenu. Its address stays the same for the menu's whole life.
struct MenuItem {
  // Runs right after the menu closed on this item; an empty slot does nothing.
  std::function<void()> onClick;
};

// Items are known by their index, in the order they were added (0, 1, 2...); there are no
// command ids to keep apart. No item is ever the menu's default item: by tray convention a
// double click on the icon runs the default item, and here a double click must only bring
// the window back.
class PopupMenu {
 public:
  PopupMenu();
  ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  // Appends an enabled item and returns its index. An '&' in the caption marks the access
  // key, as everywhere in Windows menus.
  std::size_t AddItem(std::wstring_view caption, std::function<void()> onClick = {});
  std::size_t ItemCount() const { return items_.size(); }
  MenuItem& Item(std::size_t index);

  // A disabled item is greyed out and cannot be chosen. Both throw std::out_of_range for an
  // index that AddItem did not return.
  void SetItemEnabled(std::size_t index, bool enabled);
  bool ItemEnabled(std::size_t index) const;

  // Opens the menu at screenPoint (screen coordinates) for owner and returns when it has
  // closed. When the user chose an item, its onClick has run by then, through RunHandler:
  // whatever it throws is shown to the user, not passed on to the caller. onClick may
  // destroy this menu.
  void Popup(HWND owner, POINT screenPoint);

  HMENU Handle() const { return menu_; }

 private:
  // Command id of an item: TrackPopupMenu returns 0 for "nothing chosen", so ids start at 1.
  static UINT ItemId(std::size_t index) { return static_cast<UINT>(index + 1); }
  void CheckIndex(std::size_t index) const;

  HMENU menu_;
  // unique_ptr so that a MenuItem& handed out stays valid while more items are added.
  std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace win
