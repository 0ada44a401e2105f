// What a popup menu looks like on the screen, item by item.
#include "tray/MenuPicture.h"

#include <algorithm>
#include <string>

#include "harness/TestEnvironment.h"
#include "harness/Wait.h"
#include "harness/WindowQuery.h"

namespace e2e {
namespace {

constexpr wchar_t kOwnerClass[] = L"e2e.ExpectedMenuOwner";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTickMs = 50;
// Ticks before giving up on a menu that never shows steadily: 3 s.
constexpr int kMaxTicks = 60;

bool SameImage(const ScreenImage& a, const ScreenImage& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() && a.Pixels() == b.Pixels();
}

int Grey(COLORREF pixel) {
  return (GetRValue(pixel) * 30 + GetGValue(pixel) * 59 + GetBValue(pixel) * 11) / 100;
}

// An item's rectangle relative to its menu window. GetMenuItemRect gives screen coordinates
// on Windows, but Wine 8 gives them relative to the popup window: the two agree only for a
// menu at the screen's origin. A rectangle that lies inside the menu on the screen is taken
// for screen coordinates.
RECT RelativeToMenu(RECT item, const RECT& menuRect) {
  RECT inside{};
  if (IntersectRect(&inside, &item, &menuRect) && EqualRect(&inside, &item)) {
    OffsetRect(&item, -menuRect.left, -menuRect.top);
  }
  return item;
}

HWND VisibleMenuOfThisProcess() {
  for (HWND window : TopLevelWindows(GetCurrentProcessId())) {
    if (ClassName(window) == L"#32768" && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// The photograph being taken while TrackPopupMenu runs its own message loop; the owner
// window's timer drives it from inside that loop.
struct Photographer {
  HWND owner = nullptr;
  HMENU menu = nullptr;
  std::size_t itemCount = 0;
  ScreenImage previous;
  int ticks = 0;
  MenuPicture picture;

  // Takes the picture once two captures in a row agree (the menu has been drawn), then
  // closes the menu.
  void Tick() {
    ++ticks;
    const HWND menuWindow = VisibleMenuOfThisProcess();
    if (menuWindow != nullptr) {
      RECT menuRect{};
      GetWindowRect(menuWindow, &menuRect);
      ScreenImage now = ScreenImage::Capture(menuRect);
      if (previous.Width() > 0 && SameImage(now, previous)) {
        picture.image = std::move(now);
        for (std::size_t i = 0; i < itemCount; ++i) {
          RECT item{};
          GetMenuItemRect(owner, menu, static_cast<UINT>(i), &item);
          picture.items.push_back(RelativeToMenu(item, menuRect));
        }
        EndMenu();
        return;
      }
      previous = std::move(now);
    }
    if (ticks >= kMaxTicks) EndMenu();
  }
};

LRESULT CALLBACK OwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    auto* photographer = reinterpret_cast<Photographer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (photographer != nullptr) {
      // Nothing may escape into the menu's message loop: a failed picture stays empty.
      try {
        photographer->Tick();
      } catch (...) {
        EndMenu();
      }
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The owner window's class, registered for the owner's lifetime.
class OwnerClass {
 public:
  OwnerClass() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &OwnerProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kOwnerClass;
    RegisterClassW(&windowClass);
  }
  OwnerClass(const OwnerClass&) = delete;
  OwnerClass& operator=(const OwnerClass&) = delete;
  ~OwnerClass() { UnregisterClassW(kOwnerClass, GetModuleHandleW(nullptr)); }
};

// A hidden window that owns the menu and receives its timer.
class OwnerWindow {
 public:
  explicit OwnerWindow(Photographer& photographer)
      : window_(CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&photographer));
    SetTimer(window_, kTimerId, kTickMs, nullptr);
  }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  ~OwnerWindow() {
    KillTimer(window_, kTimerId);
    DestroyWindow(window_);
  }
  HWND Get() const { return window_; }

 private:
  HWND window_;
};

class Menu {
 public:
  explicit Menu(const std::vector<MenuItemLook>& items) : menu_(CreatePopupMenu()) {
    UINT command = 1;
    for (const MenuItemLook& item : items) {
      const UINT state = item.enabled ? MF_ENABLED : MF_GRAYED;
      AppendMenuW(menu_, MF_STRING | state, command++, item.text.c_str());
    }
  }
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;
  ~Menu() { DestroyMenu(menu_); }
  HMENU Get() const { return menu_; }

 private:
  HMENU menu_;
};

// Saves both pictures of a failed comparison beside the other screenshots of the run.
void SaveForInspection(const MenuPicture& expected, const MenuPicture& seen) {
  const std::filesystem::path folder = ArtifactsFolder();
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  if (folder.empty() || test == nullptr) return;
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  std::replace(name.begin(), name.end(), '/', '_');
  const std::wstring stem = (folder / name).wstring();
  // Deliberately unchecked: the pictures only help whoever reads the failure.
  expected.image.SaveBmp(stem + L".menu-expected.bmp");
  seen.image.SaveBmp(stem + L".menu-seen.bmp");
}

}  // namespace

MenuPicture DrawExpectedMenu(const std::vector<MenuItemLook>& items) {
  OwnerClass ownerClass;
  Photographer photographer;
  OwnerWindow owner(photographer);
  Menu menu(items);
  photographer.owner = owner.Get();
  photographer.menu = menu.Get();
  photographer.itemCount = items.size();

  // The corner of the screen farthest from the pointer, so that no item is highlighted.
  POINT pointer{};
  GetCursorPos(&pointer);
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const bool left = pointer.x >= width / 2;
  const bool top = pointer.y >= height / 2;
  const UINT flags = TPM_RETURNCMD | TPM_NONOTIFY | (left ? TPM_LEFTALIGN : TPM_RIGHTALIGN) |
                     (top ? TPM_TOPALIGN : TPM_BOTTOMALIGN);
  TrackPopupMenu(menu.Get(), flags, left ? 0 : width - 1, top ? 0 : height - 1, 0, owner.Get(),
                 nullptr);
  return std::move(photographer.picture);
}

MenuPicture PhotographMenu(HWND menuWindow, const MenuPicture& layout) {
  MenuPicture picture;
  picture.items = layout.items;
  ScreenImage previous;
  WaitUntil(
      [&] {
        RECT rect{};
        GetWindowRect(menuWindow, &rect);
        picture.image = ScreenImage::Capture(rect);
        const bool steady = previous.Width() > 0 && SameImage(picture.image, previous);
        previous = picture.image;
        return steady;
      },
      2s, 50ms);
  return picture;
}

POINT ItemCentre(HWND menuWindow, const MenuPicture& layout, std::size_t index) {
  RECT menuRect{};
  GetWindowRect(menuWindow, &menuRect);
  const RECT& item = layout.items.at(index);
  return {menuRect.left + (item.left + item.right) / 2,
          menuRect.top + (item.top + item.bottom) / 2};
}

::testing::AssertionResult SameMenu(const MenuPicture& expected, const MenuPicture& seen) {
  if (expected.image.Width() == 0) {
    return ::testing::AssertionFailure() << "the expected menu could not be drawn";
  }
  if (seen.image.Width() != expected.image.Width() ||
      seen.image.Height() != expected.image.Height()) {
    SaveForInspection(expected, seen);
    return ::testing::AssertionFailure()
           << "the menu is " << seen.image.Width() << "x" << seen.image.Height()
           << " pixels, the expected one " << expected.image.Width() << "x"
           << expected.image.Height() << " (other texts or another number of items)";
  }
  const int width = expected.image.Width();
  std::string differences;
  bool differs = false;
  for (std::size_t i = 0; i < expected.items.size(); ++i) {
    const RECT& item = expected.items[i];
    int differing = 0;
    int darkestExpected = 255;
    int darkestSeen = 255;
    for (int y = std::max(0L, item.top); y < std::min<LONG>(item.bottom, expected.image.Height());
         ++y) {
      for (int x = std::max(0L, item.left); x < std::min<LONG>(item.right, width); ++x) {
        const auto at = static_cast<std::size_t>(y * width + x);
        const COLORREF a = expected.image.Pixels()[at];
        const COLORREF b = seen.image.Pixels()[at];
        if (a != b) ++differing;
        darkestExpected = std::min(darkestExpected, Grey(a));
        darkestSeen = std::min(darkestSeen, Grey(b));
      }
    }
    if (differing != 0) differs = true;
    // Enabled text is black (0), greyed text mid-grey (about 128).
    differences += "\n  item " + std::to_string(i) + ": " + std::to_string(differing) +
                   " pixels differ; darkest grey seen " + std::to_string(darkestSeen) +
                   ", expected " + std::to_string(darkestExpected);
  }
  if (!differs && seen.image.Pixels() != expected.image.Pixels()) {
    differs = true;
    differences += "\n  the items match, the menu's frame does not";
  }
  if (!differs) return ::testing::AssertionSuccess();
  SaveForInspection(expected, seen);
  return ::testing::AssertionFailure() << "the menu does not look as expected:" << differences;
}

}  // namespace e2e
