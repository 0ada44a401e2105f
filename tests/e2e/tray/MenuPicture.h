// What a popup menu looks like on the screen, item by item. Another process's menu cannot
// be read under Wine (its handle answers no queries), but it can be seen: the tests draw the
// menu they expect in their own process, with the same system font and colours, and compare
// the two pictures pixel for pixel. Texts, their order, greyed or enabled, a bold default
// item: each shows in the pixels.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/ScreenImage.h"

namespace e2e {

struct MenuItemLook {
  std::wstring text;
  bool enabled = true;
};

struct MenuPicture {
  ScreenImage image;        // the menu window, whole
  std::vector<RECT> items;  // each item's rectangle, relative to the menu window
};

// Shows a popup menu with these items (none of them the default) in this process, away from
// the mouse pointer, and photographs it. An empty picture when the menu did not appear.
MenuPicture DrawExpectedMenu(const std::vector<MenuItemLook>& items);

// Photographs a menu window on the screen once its picture is steady (two captures alike);
// the item rectangles are taken from `layout`, which must come from a menu of the same shape.
MenuPicture PhotographMenu(HWND menuWindow, const MenuPicture& layout);

// The centre of item `index` of a menu window shown on the screen, by `layout`.
POINT ItemCentre(HWND menuWindow, const MenuPicture& layout, std::size_t index);

// Success when `seen` shows exactly what `expected` shows; otherwise says which items differ
// and, by their darkest pixel, whether each reads as enabled (black text) or greyed.
::testing::AssertionResult SameMenu(const MenuPicture& expected, const MenuPicture& seen);

}  // namespace e2e
