// End-to-end: the icon's menu: its items and which of them is enabled as protection goes
// on and off, from the button and from the menu itself; stop and start from the menu
// stopping and restarting the flush; exit from the menu while the window is hidden.
#include <gtest/gtest.h>

#include "harness/Clock.h"
#include "harness/Figures.h"
#include "harness/FlushChecks.h"
#include "harness/MainForm.h"
#include "harness/Text.h"
#include "harness/WindowQuery.h"
#include "tray/TrayArea.h"
#include "tray/TrayProgram.h"
#include "tray/TrayUser.h"

namespace e2e {
namespace {

// Longer than the 20-100 ms a menu click takes to reach the program.
constexpr milliseconds kClickSettle = 700ms;

class TrayMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_.WaitUntilShown());
    ASSERT_TRUE(form_.IsFound());
    // Drawn once per test, before the program's menu is ever open.
    whenOn_ = DrawExpectedMenu(MenuWhenOn());
    whenOff_ = DrawExpectedMenu(MenuWhenOff());
    ASSERT_EQ(whenOn_.items.size(), 3u) << "the expected menu could not be drawn";
    ASSERT_EQ(whenOff_.items.size(), 3u) << "the expected menu could not be drawn";
  }

  // Opens the icon's menu and checks that it looks like `expected`; null when no menu opened.
  HWND OpenMenuLike(const MenuPicture& expected, const char* when) {
    const HWND menu = user_.OpenIconMenu();
    if (menu == nullptr) {
      ADD_FAILURE() << "no menu opened on a right click " << when;
      return nullptr;
    }
    ReportFigure("rightClickToMenu", NowMs() - user_.LastClickAtMs(), "ms");
    EXPECT_TRUE(SameMenu(expected, PhotographMenu(menu, expected))) << when;
    return menu;
  }

  void CloseMenuUnchosen() {
    user_.ClickAway();
    ASSERT_TRUE(user_.WaitForNoMenu()) << "a click elsewhere did not close the menu";
  }

  TrayProgram program_;
  MainForm form_{program_.Program()};
  TrayUser user_{program_.Program().ProcessId()};
  MenuPicture whenOn_;
  MenuPicture whenOff_;
};

TEST_F(TrayMenu, EnablesTheItemThatChangesTheProtectionStateSetByTheButton) {
  // At start protection is on: stop and exit enabled, start greyed out.
  HWND menu = OpenMenuLike(whenOn_, "at start");
  ASSERT_NE(menu, nullptr);
  // A greyed item does nothing when clicked; the menu stays open.
  ASSERT_TRUE(user_.Choose(menu, whenOn_, kStartItem));
  Observe(kClickSettle);
  EXPECT_EQ(user_.OpenMenu(), menu) << "a click on the greyed start item closed the menu";
  EXPECT_EQ(form_.ButtonCaption(), kStopCaption) << "the greyed start item acted";
  // Closing the menu unchosen changes nothing either.
  CloseMenuUnchosen();
  Observe(kClickSettle);
  EXPECT_EQ(form_.ButtonCaption(), kStopCaption);

  const std::pair<std::wstring_view, const MenuPicture*> steps[] = {
      {kStartCaption, &whenOff_},  // stopped by the button
      {kStopCaption, &whenOn_},    // started again by the button
  };
  for (const auto& [caption, expected] : steps) {
    form_.ClickButton();
    ASSERT_TRUE(form_.WaitForButtonCaption(caption));
    const std::string when = "after the button showed " + Narrow(std::wstring(caption));
    ASSERT_NE(OpenMenuLike(*expected, when.c_str()), nullptr);
    CloseMenuUnchosen();
  }
}

TEST_F(TrayMenu, StopAndStartItemsStopAndRestartTheFlush) {
  const ArpLog& arp = program_.Program().Arp();
  ASSERT_GE(arp.WaitForStartsSince(0, 2, 5s).size(), 2u) << "the flush is not running at start";

  HWND menu = OpenMenuLike(whenOn_, "at start");
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(user_.Choose(menu, whenOn_, kStopItem));
  ASSERT_TRUE(form_.WaitForButtonCaption(kStartCaption))
      << "stop from the menu did not toggle; the menu is "
      << (user_.OpenMenu() != nullptr ? "still open" : "closed");
  const double stoppedAt = NowMs();
  ReportFigure("menuItemToButtonCaption", stoppedAt - user_.LastClickAtMs(), "ms");
  EXPECT_TRUE(user_.WaitForNoMenu()) << "the menu stayed open after the choice";
  EXPECT_TRUE(FlushesNothingFor(arp, stoppedAt, 2s));

  menu = OpenMenuLike(whenOff_, "after stop from the menu");
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(user_.Choose(menu, whenOff_, kStartItem));
  ASSERT_TRUE(form_.WaitForButtonCaption(kStopCaption))
      << "start from the menu did not toggle; the menu is "
      << (user_.OpenMenu() != nullptr ? "still open" : "closed");
  EXPECT_TRUE(user_.WaitForNoMenu());
  EXPECT_TRUE(FlushesEvery(arp, user_.LastClickAtMs(), 500, "periodAfterStartFromMenu"));

  menu = OpenMenuLike(whenOn_, "after start from the menu");
  ASSERT_NE(menu, nullptr);
  CloseMenuUnchosen();
}

TEST_F(TrayMenu, ExitWhileHiddenEndsTheProgramAndRemovesTheIcon) {
  PostMessageW(program_.Form(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(program_.WaitForWindowHidden()) << "after minimizing";

  const HWND menu = OpenMenuLike(whenOn_, "while hidden");
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(user_.Choose(menu, whenOn_, kExitItem));
  const std::optional<DWORD> exitCode = program_.Program().WaitForExit();
  ASSERT_TRUE(exitCode.has_value()) << "the program still runs after exit was chosen; the menu is "
                                    << (user_.OpenMenu() != nullptr ? "still open" : "closed");
  ReportFigure("exitItemToProcessGone", NowMs() - user_.LastClickAtMs(), "ms");
  EXPECT_EQ(*exitCode, 0u);
  // Gone by the time the process is: nothing left for the user to click.
  EXPECT_TRUE(PresentIcons(kTrayHint).empty()) << "the icon outlived the program";
}

}  // namespace
}  // namespace e2e
