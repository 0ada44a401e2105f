// End-to-end: each showing of the main window hands its two ad panels to the ad library,
// Panel2 first, before the window is visible, with the panels' current colour; hiding to the
// tray and coming back hands them over again, a restore request for a shown window does not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ads/AdCallChecks.h"
#include "ads/AdProgram.h"

namespace e2e {
namespace {

// Time enough for a stray call to show up in the log after the program went idle.
constexpr milliseconds kWatchForStrayCalls = 1s;

// Starts the program and waits until its first showing is over: two calls, window shown.
::testing::AssertionResult Started(AdProgram& program) {
  if (!program.WaitForWindows())
    return ::testing::AssertionFailure() << "no main form or tray window";
  if (!WaitUntil([&] { return program.FormShown(); }, 10s)) {
    return ::testing::AssertionFailure() << "the main window never showed";
  }
  if (!program.Ads().WaitForCount(2)) {
    return ::testing::AssertionFailure()
           << "only " << program.Ads().Calls().size() << " ad call(s) at the first showing";
  }
  return ::testing::AssertionSuccess();
}

// Lets any call still on its way arrive, then returns how many were made.
std::size_t CallsOnceSettled(const AdProgram& program) {
  program.WaitUntilIdle();
  Observe(kWatchForStrayCalls);
  return program.Ads().Calls().size();
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

TEST(AdPanels, StartHandsPanel2ThenPanel3OverOnceWithTheButtonFaceBeforeTheWindowShows) {
  AdProgram program;
  ASSERT_TRUE(Started(program));
  EXPECT_EQ(CallsOnceSettled(program), 2u) << "the first showing made another number of calls";
  ExpectShowing(program.Ads().Calls(), 0, program, kButtonFace);
}

TEST(AdPanels, RestoreFromTheTrayHandsTheSamePanelsOverAgainWithTheSkinnedColour) {
  AdProgram program;
  ASSERT_TRUE(Started(program));
  // The skin recolours the panels at the first activation; hiding before it would test less.
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == program.Form(); }))
      << "the main window was never activated";
  const std::vector<RecordedAdCall> atStart = program.Ads().Calls();

  ASSERT_TRUE(program.HideToTray()) << "minimizing did not hide the window";
  EXPECT_EQ(CallsOnceSettled(program), 2u) << "hiding called the ad library";

  program.PostIconDoubleClick();
  ASSERT_TRUE(WaitUntil([&] { return program.FormShown(); })) << "the double click did not restore";
  ASSERT_TRUE(program.Ads().WaitForCount(4)) << "the restore did not hand the panels over again";
  EXPECT_EQ(CallsOnceSettled(program), 4u) << "the restore made another number of calls";

  const std::vector<RecordedAdCall> calls = program.Ads().Calls();
  ExpectShowing(calls, 2, program, kSkinnedFace);
  for (std::size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(kPanels[i].name);
    EXPECT_EQ(calls[2 + i].panel, atStart[i].panel) << "a new panel window after the restore";
    EXPECT_EQ(calls[2 + i].address, atStart[i].address);
  }
}

// A place the window never has at start (it starts centred), so a re-placing would show.
constexpr POINT kMovedTo{96, 64};

TEST(AdPanels, RestoreRequestForTheShownWindowMakesNoCallAndLeavesItWhereItIs) {
  AdProgram program;
  ASSERT_TRUE(Started(program));
  ASSERT_TRUE(SetWindowPos(program.Form(), nullptr, kMovedTo.x, kMovedTo.y, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
  ASSERT_TRUE(WaitUntil([&] {
    const RECT r = WindowRect(program.Form());
    return r.left == kMovedTo.x && r.top == kMovedTo.y;
  }));
  const RECT before = WindowRect(program.Form());

  program.PostIconDoubleClick();
  EXPECT_EQ(CallsOnceSettled(program), 2u)
      << "a restore request for the shown window called the library";
  const RECT after = WindowRect(program.Form());
  EXPECT_TRUE(EqualRect(&before, &after)) << "moved from (" << before.left << ", " << before.top
                                          << ") to (" << after.left << ", " << after.top << ")";
  EXPECT_TRUE(program.FormShown());
  EXPECT_FALSE(IsIconic(program.Form()));
}

}  // namespace
}  // namespace e2e
