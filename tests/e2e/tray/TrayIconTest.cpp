// End-to-end: the program's icon in the notification area: there with its hint from the
// start, gone when the program ends, deaf to single and middle clicks, and back after the
// taskbar is created anew.
#include <gtest/gtest.h>

#include "harness/Clock.h"
#include "harness/Figures.h"
#include "harness/WindowQuery.h"
#include "tray/TrayArea.h"
#include "tray/TrayProgram.h"
#include "tray/TrayUser.h"

namespace e2e {
namespace {

// Longer than the double-click time (500 ms) plus the 20-90 ms the shell takes to pass a
// click on: anything a click sets off has happened by then.
constexpr milliseconds kClickSettle = 1s;

TEST(TrayIcon, IsShownWithItsHintFromStartUntilTheWindowIsClosed) {
  TrayProgram program;
  const std::optional<TrayIconView> icon = WaitForOneIcon(kTrayHint, kIconTimeout);
  ASSERT_TRUE(icon.has_value()) << "no icon with the hint \"反ARP欺骗1.1版\"";
  ReportFigure("iconShownAfterLaunch", NowMs() - program.Program().LaunchedAtMs(), "ms");
  ASSERT_TRUE(program.WaitForWindows());

  // In the notification area, at the bottom right of the screen.
  RECT taskbar{};
  GetWindowRect(FindWindowW(L"Shell_TrayWnd", nullptr), &taskbar);
  RECT inside{};
  EXPECT_TRUE(IntersectRect(&inside, &icon->screenRect, &taskbar) &&
              EqualRect(&inside, &icon->screenRect))
      << "the icon lies outside the taskbar";
  // Its window is a hidden tool window of no owner, never a window of its own on screen.
  EXPECT_FALSE(IsWindowVisible(program.TrayWindow()));
  EXPECT_TRUE(GetWindowLongPtrW(program.TrayWindow(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

  PostMessageW(program.Form(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.Program().WaitForExit().has_value()) << "closing the window did not end it";
  EXPECT_TRUE(WaitForNoIcon(kTrayHint, 1s)) << "the icon stayed after the program ended";
}

// While the window is hidden a wrong reaction shows best: a single click that restores it,
// a menu that opens on the wrong button.
TEST(TrayIcon, SingleLeftAndMiddleClicksDoNothing) {
  TrayProgram program;
  ASSERT_TRUE(program.WaitUntilShown());
  PostMessageW(program.Form(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(program.WaitForWindowHidden()) << "after minimizing";

  TrayUser user(program.Program().ProcessId());
  struct Action {
    const char* name;
    bool (*act)(TrayUser&);
  };
  const Action actions[] = {
      {"left click", [](TrayUser& u) { return u.ClickIcon(MouseButton::kLeft); }},
      {"middle click", [](TrayUser& u) { return u.ClickIcon(MouseButton::kMiddle); }},
      {"middle double click", [](TrayUser& u) { return u.DoubleClickIcon(MouseButton::kMiddle); }},
  };
  for (const Action& action : actions) {
    SCOPED_TRACE(action.name);
    ASSERT_TRUE(action.act(user)) << "could not click the icon";
    Observe(kClickSettle);
    EXPECT_FALSE(IsWindowVisible(program.Form())) << "the window came back";
    EXPECT_FALSE(IsWindowVisible(program.Application()));
    EXPECT_EQ(user.OpenMenu(), nullptr) << "a menu opened";
    EXPECT_EQ(program.Ads().Calls().size(), 2u) << "the show handler ran";
    EXPECT_TRUE(program.Program().IsRunning());
  }

  // The same icon does answer a left double click: the clicks above did reach the program.
  ASSERT_TRUE(user.DoubleClickIcon());
  EXPECT_TRUE(program.WaitForWindowShown()) << "after a double click";
  ReportFigure("doubleClickToWindowShown", NowMs() - user.LastClickAtMs(), "ms");
}

TEST(TrayIcon, ComesBackWhenTheTaskbarIsCreatedAgain) {
  TrayProgram program;
  ASSERT_TRUE(program.WaitUntilShown());

  // Another program may announce a taskbar while ours is still shown: still one icon.
  ASSERT_TRUE(BroadcastTaskbarCreated());
  Observe(500ms);
  EXPECT_EQ(PresentIcons(kTrayHint).size(), 1u) << "the announcement doubled the icon";

  // A restarted shell has forgotten every icon, then announces its new taskbar.
  ASSERT_TRUE(ForgetIconsOf(program.TrayWindow())) << "the shell had no icon of the program";
  ASSERT_TRUE(WaitForNoIcon(kTrayHint));
  const double announcedAt = NowMs();
  ASSERT_TRUE(BroadcastTaskbarCreated());
  ASSERT_TRUE(WaitForOneIcon(kTrayHint, kReactionTimeout).has_value())
      << "the icon did not come back after \"TaskbarCreated\"";
  ReportFigure("iconBackAfterTaskbarCreated", NowMs() - announcedAt, "ms");

  // The icon that came back is a working one: its menu opens.
  TrayUser user(program.Program().ProcessId());
  EXPECT_NE(user.OpenIconMenu(), nullptr) << "the new icon opens no menu";
  user.ClickAway();
  EXPECT_TRUE(user.WaitForNoMenu());
}

}  // namespace
}  // namespace e2e
