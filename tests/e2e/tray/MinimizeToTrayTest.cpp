// End-to-end: minimizing hides the window to the icon, whichever way it is minimized, and
// leaves no taskbar button while protection goes on; a double click on the icon brings the
// window back where it was and runs its show handler again; a minimized start shows nothing
// until then.
#include <gtest/gtest.h>

#include <string>

#include "harness/Clock.h"
#include "harness/Figures.h"
#include "harness/FlushChecks.h"
#include "harness/WindowQuery.h"
#include "tray/ForegroundDecoy.h"
#include "tray/Mouse.h"
#include "tray/Taskbar.h"
#include "tray/TrayArea.h"
#include "tray/TrayProgram.h"
#include "tray/TrayUser.h"

namespace e2e {
namespace {

// Long enough to see a few ticks of the flush and any stray showing of a window.
constexpr milliseconds kWatchHidden = 1500ms;

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ") " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// The point of the form's title bar where a click hits its minimize button, asked of the
// window itself; nothing when it has none.
std::optional<POINT> MinimizeButton(HWND form) {
  const RECT rect = WindowRect(form);
  const int y = rect.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  int first = -1;
  int last = -1;
  for (int x = rect.right - 1; x > rect.left; --x) {
    DWORD_PTR hit = HTNOWHERE;
    if (!SendToProgram(form, WM_NCHITTEST, 0, MAKELPARAM(x, y), &hit)) return std::nullopt;
    if (hit == HTMINBUTTON) {
      if (last < 0) last = x;
      first = x;
    } else if (last >= 0) {
      break;
    }
  }
  if (last < 0) return std::nullopt;
  return POINT{(first + last) / 2, y};
}

enum class MinimizeWay { kMinimizeButton, kFormSysCommand, kApplicationSysCommand, kShowWindow };

struct MinimizeCase {
  const char* name;
  MinimizeWay way;
};

const MinimizeCase kMinimizeCases[] = {
    {"MinimizeButton", MinimizeWay::kMinimizeButton},
    {"SysCommandToForm", MinimizeWay::kFormSysCommand},
    {"SysCommandToApplication", MinimizeWay::kApplicationSysCommand},
    {"ShowWindowFromOutside", MinimizeWay::kShowWindow},
};

::testing::AssertionResult Minimize(const TrayProgram& program, Mouse& mouse, MinimizeWay way) {
  switch (way) {
    case MinimizeWay::kMinimizeButton: {
      const std::optional<POINT> button = MinimizeButton(program.Form());
      if (!button) return ::testing::AssertionFailure() << "no minimize button in the title bar";
      mouse.Click(MouseButton::kLeft, *button);
      break;
    }
    case MinimizeWay::kFormSysCommand:
      PostMessageW(program.Form(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      break;
    case MinimizeWay::kApplicationSysCommand:
      PostMessageW(program.Application(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      break;
    case MinimizeWay::kShowWindow:
      ShowWindow(program.Form(), SW_MINIMIZE);
      break;
  }
  return ::testing::AssertionSuccess();
}

class MinimizeToTray : public ::testing::TestWithParam<MinimizeCase> {};

TEST_P(MinimizeToTray, HidesTheWindowAndItsTaskbarButtonWhileTheFlushGoesOn) {
  TrayProgram program;
  ASSERT_TRUE(program.WaitUntilShown());
  ASSERT_TRUE(WaitUntil([&] { return HasTaskbarButton(program.Application()); }))
      << "the running program has no taskbar button to lose";

  Mouse mouse;
  const double minimizedAt = NowMs();
  ASSERT_TRUE(Minimize(program, mouse, GetParam().way));
  EXPECT_TRUE(program.WaitForWindowHidden());
  ReportFigure("minimizeToHidden", NowMs() - minimizedAt, "ms");
  EXPECT_TRUE(WaitUntil([&] {
    return !HasTaskbarButton(program.Application()) && !HasTaskbarButton(program.Form());
  })) << "a taskbar button was left behind";
  EXPECT_EQ(PresentIcons(kTrayHint).size(), 1u) << "the icon went with the window";
  EXPECT_TRUE(program.StaysHidden(kWatchHidden)) << "the window came back by itself";
  const double hiddenFrom = minimizedAt + static_cast<double>(kStartLatency.count());
  EXPECT_GE(program.Program().Arp().WaitForStartsSince(hiddenFrom, 3, 5s).size(), 3u)
      << "the flush stopped when the window was hidden";

  // Whichever way it went, the icon brings it back.
  TrayUser user(program.Program().ProcessId());
  ASSERT_TRUE(user.DoubleClickIcon());
  EXPECT_TRUE(program.WaitForWindowShown()) << "after a double click";
  EXPECT_TRUE(WaitUntil([&] { return HasTaskbarButton(program.Application()); }))
      << "the taskbar button did not come back";
}

INSTANTIATE_TEST_SUITE_P(EachWay, MinimizeToTray, ::testing::ValuesIn(kMinimizeCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// A place on the screen the window never has at start (it starts centred).
constexpr POINT kMovedTo{96, 64};

TEST(MinimizeToTrayAndBack, DoubleClickRestoresTheWindowWhereTheUserLeftItAndRunsItsShowHandler) {
  TrayProgram program;
  ASSERT_TRUE(program.WaitUntilShown());
  const std::vector<AdCall> atStart = program.Ads().Calls();

  // The user drags the window elsewhere before hiding it.
  ASSERT_TRUE(SetWindowPos(program.Form(), nullptr, kMovedTo.x, kMovedTo.y, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
  ASSERT_TRUE(WaitUntil([&] {
    const RECT r = WindowRect(program.Form());
    return r.left == kMovedTo.x && r.top == kMovedTo.y;
  }));
  const RECT moved = WindowRect(program.Form());

  const double minimizedAt = NowMs();
  PostMessageW(program.Form(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(program.WaitForWindowHidden());
  // Hidden, the program keeps its period.
  EXPECT_TRUE(FlushesEvery(program.Program().Arp(), minimizedAt, 500, "periodWhileHidden"));
  EXPECT_EQ(program.Ads().Calls().size(), 2u) << "hiding ran the show handler";

  TrayUser user(program.Program().ProcessId());
  ASSERT_TRUE(user.DoubleClickIcon());
  ASSERT_TRUE(program.WaitForWindowShown()) << "after a double click";
  ReportFigure("doubleClickToWindowShown", NowMs() - user.LastClickAtMs(), "ms");
  EXPECT_TRUE(SameRect(WindowRect(program.Form()), moved))
      << "restored at " << Describe(WindowRect(program.Form())) << ", left at " << Describe(moved);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == program.Form(); }))
      << "the restored window is not in the foreground";
  EXPECT_TRUE(WaitUntil([&] { return HasTaskbarButton(program.Application()); }))
      << "the taskbar button did not come back";
  EXPECT_FALSE(IsIconic(program.Form()));

  // The show handler ran again, for the same two panels, before the window was shown.
  ASSERT_TRUE(WaitUntil([&] { return program.Ads().Calls().size() >= 4; }))
      << "the show handler did not run on the restore";
  const std::vector<AdCall> calls = program.Ads().Calls();
  ASSERT_EQ(calls.size(), 4u);
  for (std::size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE("call " + std::to_string(i + 2));
    EXPECT_EQ(calls[i + 2].panel, atStart[i].panel) << "another panel than at start";
    EXPECT_FALSE(calls[i + 2].windowVisible) << "the window was already visible";
  }
}

TEST(MinimizeToTrayAndBack, DoubleClickOnTheVisibleWindowOnlyBringsItToTheFront) {
  TrayProgram program;
  ASSERT_TRUE(program.WaitUntilShown());
  const RECT before = WindowRect(program.Form());

  ForegroundDecoy decoy(before);
  ASSERT_TRUE(WaitUntil([&] {
    decoy.Pump();
    return GetForegroundWindow() == decoy.Window();
  })) << "the decoy could not take the foreground";

  TrayUser user(program.Program().ProcessId());
  ASSERT_TRUE(user.DoubleClickIcon());
  EXPECT_TRUE(WaitUntil([&] {
    decoy.Pump();
    return GetForegroundWindow() == program.Form();
  })) << "the window was not brought to the front";
  // Whatever else the click would set off has happened by now.
  Observe(700ms);
  decoy.Pump();
  EXPECT_TRUE(program.WaitForWindowShown(0ms));
  EXPECT_TRUE(SameRect(WindowRect(program.Form()), before))
      << "moved to " << Describe(WindowRect(program.Form())) << " from " << Describe(before);
  EXPECT_EQ(program.Ads().Calls().size(), 2u) << "the show handler ran for a visible window";
}

struct MinimizedStartCase {
  const char* name;
  WORD showCommand;
};

const MinimizedStartCase kMinimizedStarts[] = {
    {"ShowMinNoActive", SW_SHOWMINNOACTIVE},
    {"Minimize", SW_MINIMIZE},
};

class MinimizedStart : public ::testing::TestWithParam<MinimizedStartCase> {};

TEST_P(MinimizedStart, ShowsNoWindowUntilTheFirstDoubleClickThenCentresIt) {
  TrayProgram program(GetParam().showCommand);
  // Watched from the moment the windows exist: a window shown and hidden again at start
  // would flash on the screen.
  ASSERT_TRUE(program.WaitForWindows());
  EXPECT_TRUE(program.StaysHidden(kWatchHidden)) << "a window showed";
  ASSERT_TRUE(WaitForOneIcon(kTrayHint, kIconTimeout).has_value()) << "no icon";
  EXPECT_FALSE(HasTaskbarButton(program.Application())) << "a taskbar button is shown";
  EXPECT_TRUE(program.Ads().Calls().empty()) << "the show handler ran with nothing shown";
  EXPECT_GE(program.Program().Arp().WaitForStartsSince(0, 2, 5s).size(), 2u)
      << "protection is not on from the start";

  TrayUser user(program.Program().ProcessId());
  ASSERT_TRUE(user.DoubleClickIcon());
  ASSERT_TRUE(program.WaitForWindowShown()) << "after the first double click";
  EXPECT_TRUE(WaitUntil([&] { return program.Ads().Calls().size() == 2; }))
      << "the show handler did not run at the first showing";
  EXPECT_TRUE(WaitUntil([&] { return HasTaskbarButton(program.Application()); }))
      << "no taskbar button once shown";
  EXPECT_FALSE(IsIconic(program.Form()));

  // The first showing centres the window on the screen.
  const RECT rect = WindowRect(program.Form());
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  EXPECT_EQ(rect.left, std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2));
  EXPECT_EQ(rect.top, std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2));
}

INSTANTIATE_TEST_SUITE_P(EachShowState, MinimizedStart, ::testing::ValuesIn(kMinimizedStarts),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
}  // namespace e2e
