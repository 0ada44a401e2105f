// End-to-end: an access fault inside the ad library during the first call is caught and
// shown in the program's error box; Panel3 gets no call, the window comes up once the box is
// closed, the flush goes on, and later showings call the library normally again.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ads/AdCallChecks.h"
#include "ads/AdProgram.h"
#include "harness/Clock.h"
#include "harness/MainForm.h"
#include "harness/MessageBoxView.h"
#include "harness/Text.h"

namespace e2e {
namespace {

constexpr std::wstring_view kFaultTextStart = L"The ad library failed";

// The first program of a session also starts the shell; the box comes after it.
constexpr milliseconds kFirstBoxTimeout = 15s;

// Long enough for a call made after the box closed to reach the log.
constexpr milliseconds kWatchForStrayCalls = 1s;

TEST(AdLibraryFault, FaultInTheFirstCallIsShownSkipsPanel3AndTheProgramGoesOn) {
  AdProgram program(AdFault::kFirstCall);
  ASSERT_TRUE(program.WaitForWindows()) << "no main form or tray window";

  const std::optional<MessageBoxView> box =
      WaitForMessageBox(program.Program().ProcessId(), kFirstBoxTimeout);
  ASSERT_TRUE(box.has_value()) << "no error box; program running: "
                               << program.Program().IsRunning();
  EXPECT_EQ(box->title, kApplicationTitle);
  EXPECT_EQ(box->text.rfind(kFaultTextStart, 0), 0u) << "text: " << Narrow(box->text);
  EXPECT_TRUE(ShowsErrorIcon(*box));

  {
    const std::vector<RecordedAdCall> calls = program.Ads().Calls();
    ASSERT_EQ(calls.size(), 1u) << "the show handler went on after the fault";
    EXPECT_TRUE(calls[0].faulted) << "the recorder was not asked to fault";
    ExpectCallFor(calls[0], kPanels[0], program);
  }

  PressOk(*box);
  const double closedAt = NowMs();
  EXPECT_TRUE(WaitUntil([&] { return !FindMessageBox(program.Program().ProcessId()).has_value(); }))
      << "the box did not close";
  ASSERT_TRUE(WaitUntil([&] { return program.FormShown(); }))
      << "the window did not show after the box";
  program.WaitUntilIdle();
  Observe(kWatchForStrayCalls);
  EXPECT_EQ(program.Ads().Calls().size(), 1u) << "Panel3 got a call after the box was closed";
  EXPECT_GE(program.Program().Arp().WaitForStartsSince(closedAt, 3, 5s).size(), 3u)
      << "the flush stopped after the fault";

  // The guard is ready again: the next showing hands both panels over, nothing faults now.
  ASSERT_TRUE(program.HideToTray()) << "minimizing did not hide the window";
  program.PostIconDoubleClick();
  ASSERT_TRUE(WaitUntil([&] { return program.FormShown(); })) << "the double click did not restore";
  ASSERT_TRUE(program.Ads().WaitForCount(3)) << "the restore did not call the library";
  program.WaitUntilIdle();
  Observe(kWatchForStrayCalls);
  const std::vector<RecordedAdCall> calls = program.Ads().Calls();
  ASSERT_EQ(calls.size(), 3u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_FALSE(calls[1 + i].faulted);
    ExpectCallFor(calls[1 + i], kPanels[i], program);
  }
  EXPECT_TRUE(program.Program().IsRunning());
}

}  // namespace
}  // namespace e2e
