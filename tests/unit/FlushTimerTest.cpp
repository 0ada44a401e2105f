// The flush timer's Enabled/Interval rules, and the tick that starts the flush command.
#include "protection/FlushTimer.h"

#include <gtest/gtest.h>

#include "FakeSystemTimer.h"
#include "protection/FlushCycle.h"

namespace protection {
namespace {

using Log = std::vector<std::string>;

class RecordingLauncher : public CommandLauncher {
 public:
  void StartHidden(std::string_view commandLine) override { started.emplace_back(commandLine); }
  std::vector<std::string> started;
};

// A timer configured the way the main form creates it: enabled, 500 ms, tick handler set.
class FlushTimerTest : public ::testing::Test {
 protected:
  FlushTimerTest() {
    timer.SetInterval(500);
    timer.SetOnTimer([this] { FlushArpCache(launcher); });
    log.clear();
  }
  Log log;
  testing::FakeSystemTimer systemTimer{log};
  RecordingLauncher launcher;
  FlushTimer timer{systemTimer};
};

TEST_F(FlushTimerTest, RunsFromCreationAtFiveHundredMilliseconds) {
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 500u);
  EXPECT_TRUE(systemTimer.running);
}

TEST_F(FlushTimerTest, EveryTickStartsArpDashDOnce) {
  timer.Tick();
  timer.Tick();
  EXPECT_EQ(launcher.started, (std::vector<std::string>{"arp -d", "arp -d"}));
}

TEST_F(FlushTimerTest, SettingTheValueItHoldsDoesNotRestartThePeriod) {
  timer.SetInterval(500);
  timer.SetEnabled(true);
  EXPECT_TRUE(log.empty());
}

TEST_F(FlushTimerTest, ADifferentValueStopsAndRestarts) {
  timer.SetInterval(1000);
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  EXPECT_EQ(log, (Log{"stop", "start 1000", "stop", "start 1000"}));
}

TEST_F(FlushTimerTest, IntervalZeroNeverReachesTheSystemTimer) {
  timer.SetInterval(0);
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  EXPECT_EQ(log, (Log{"stop"}));
  EXPECT_TRUE(timer.Enabled());
  timer.SetInterval(250);
  EXPECT_EQ(log, (Log{"stop", "start 250"}));
}

TEST_F(FlushTimerTest, WithoutTickHandlerNothingStarts) {
  Log otherLog;
  testing::FakeSystemTimer other{otherLog};
  FlushTimer bare{other};
  bare.SetInterval(500);
  EXPECT_TRUE(otherLog.empty());
  bare.Tick();  // no handler: harmless
}

TEST_F(FlushTimerTest, RefusedSystemTimerRaisesWithThePropertyAlreadySet) {
  timer.SetEnabled(false);
  systemTimer.refuse = true;
  try {
    timer.SetEnabled(true);
    FAIL() << "no error";
  } catch (const TimerError& e) {
    EXPECT_STREQ(e.what(), "Not enough timers available");
  }
  EXPECT_TRUE(timer.Enabled());
  EXPECT_FALSE(systemTimer.running);

  EXPECT_THROW(timer.SetInterval(700), TimerError);
  EXPECT_EQ(timer.Interval(), 700u);
}

TEST_F(FlushTimerTest, DisabledTimerIgnoresAStrayTick) {
  timer.SetEnabled(false);
  timer.Tick();
  EXPECT_TRUE(launcher.started.empty());
}

TEST_F(FlushTimerTest, DestroyingTheTimerStopsTheSystemTimer) {
  Log otherLog;
  testing::FakeSystemTimer other{otherLog};
  {
    FlushTimer scoped{other};
    scoped.SetOnTimer([] {});
  }
  EXPECT_EQ(otherLog, (Log{"start 1000", "stop"}));
}

}  // namespace
}  // namespace protection
