// The start/stop toggle, driven through fakes that log every call in order.
#include "protection/Toggle.h"

#include <gtest/gtest.h>

#include "FakeSystemTimer.h"
#include "protection/IntegerConversion.h"

namespace protection {
namespace {

using Log = std::vector<std::string>;

class FakeControls : public ProtectionControls {
 public:
  explicit FakeControls(Log& log) : log_(log) {}
  std::string PeriodText() const override {
    log_.push_back("read field");
    return field;
  }
  void SetPeriodText(std::string_view text) override {
    field = text;
    log_.push_back("field " + field);
  }
  void SetButtonCaption(std::string_view text) override {
    caption = text;
    log_.push_back("caption " + caption);
  }
  void SetStartItemEnabled(bool enabled) override {
    startItem = enabled;
    log_.push_back(std::string("start item ") + (enabled ? "on" : "off"));
  }
  void SetStopItemEnabled(bool enabled) override {
    stopItem = enabled;
    log_.push_back(std::string("stop item ") + (enabled ? "on" : "off"));
  }

  std::string field = "500";
  std::string caption = "停止";
  bool startItem = false;
  bool stopItem = true;

 private:
  Log& log_;
};

// The state right after start-up: protection on at 500 ms.
class ToggleTest : public ::testing::Test {
 protected:
  ToggleTest() {
    timer.SetInterval(500);
    timer.SetOnTimer([] {});
    log.clear();
  }
  void Click() { ToggleProtection(timer, controls); }

  Log log;
  testing::FakeSystemTimer systemTimer{log};
  FlushTimer timer{systemTimer};
  FakeControls controls{log};
};

TEST_F(ToggleTest, StopThenStartWithANewPeriod) {
  controls.field = "1000";
  Click();
  EXPECT_EQ(log, (Log{"read field", "stop", "caption 开始", "stop item off", "start item on"}));
  EXPECT_FALSE(timer.Enabled());

  log.clear();
  Click();
  EXPECT_EQ(log, (Log{"read field", "start 500", "read field", "stop", "start 1000", "caption 停止",
                      "start item off", "stop item on"}));
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000u);
}

TEST_F(ToggleTest, ChangingTheFieldWhileOnLeavesTheRunningPeriod) {
  controls.field = "800";
  Click();  // off
  controls.field = "500";
  log.clear();
  Click();  // on again with the period it had: no second restart
  EXPECT_EQ(log, (Log{"read field", "start 500", "read field", "caption 停止", "start item off",
                      "stop item on"}));
}

TEST_F(ToggleTest, BlanksAroundThePeriodAreIgnoredAndKept) {
  Click();
  controls.field = " 750 \t";
  Click();
  EXPECT_EQ(timer.Interval(), 750u);
  EXPECT_EQ(controls.field, " 750 \t");
}

TEST_F(ToggleTest, PeriodAtOrBelowZeroResetsTheFieldTo500) {
  for (const char* text : {"0", "000", "-5", "$FFFFFFFF", "-2147483648", "0x80000000"}) {
    SCOPED_TRACE(text);
    Click();  // off
    ASSERT_FALSE(timer.Enabled());
    controls.field = text;
    timer.SetInterval(300);
    Click();  // on
    EXPECT_EQ(controls.field, "500");
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 500u);
    EXPECT_EQ(controls.caption, "停止");
  }
}

TEST_F(ToggleTest, ZeroFieldWhenTurningOffResetsTheFieldAndStops) {
  controls.field = "0";
  Click();
  EXPECT_EQ(log.front(), "read field");
  EXPECT_EQ(log[1], "field 500");
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(controls.caption, "开始");
}

TEST_F(ToggleTest, LargestPeriodIsAccepted) {
  Click();
  controls.field = "2147483647";
  Click();
  EXPECT_EQ(timer.Interval(), 2147483647u);
}

TEST_F(ToggleTest, FieldThatDoesNotConvertChangesNothing) {
  for (bool startOn : {true, false}) {
    for (const char* text : {"", "   ", "2147483648", "12a", "-", "１２"}) {
      SCOPED_TRACE(std::string(text) + (startOn ? " while on" : " while off"));
      if (timer.Enabled() != startOn) {
        controls.field = "500";
        Click();
      }
      const auto before = controls.caption;
      controls.field = text;
      log.clear();
      try {
        Click();
        FAIL() << "no error";
      } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "'" + std::string(StripBlanks(text)) + "' is not a valid integer value");
      }
      EXPECT_EQ(log, (Log{"read field"}));
      EXPECT_EQ(timer.Enabled(), startOn);
      EXPECT_EQ(controls.caption, before);
      EXPECT_EQ(controls.field, text);
    }
  }
}

TEST_F(ToggleTest, RefusedTimerLeavesOffDisplayThenTwoTogglesRecover) {
  Click();  // off
  systemTimer.refuse = true;
  log.clear();
  EXPECT_THROW(Click(), TimerError);
  EXPECT_EQ(log, (Log{"read field", "start 500 refused"}));
  EXPECT_TRUE(timer.Enabled());  // reads on, although no system timer runs
  EXPECT_EQ(controls.caption, "开始");
  EXPECT_TRUE(controls.startItem);
  EXPECT_FALSE(controls.stopItem);

  systemTimer.refuse = false;
  log.clear();
  Click();  // turns Enabled off: no visible change
  EXPECT_EQ(log, (Log{"read field", "caption 开始", "stop item off", "start item on"}));
  EXPECT_FALSE(timer.Enabled());

  log.clear();
  Click();  // starts the system timer anew
  EXPECT_EQ(log, (Log{"read field", "start 500", "read field", "caption 停止", "start item off",
                      "stop item on"}));
  EXPECT_TRUE(systemTimer.running);
}

TEST_F(ToggleTest, MenuItemsAlwaysHaveExactlyOneEnabled) {
  for (int i = 0; i < 4; ++i) {
    Click();
    EXPECT_NE(controls.startItem, controls.stopItem);
    EXPECT_EQ(controls.startItem, !timer.Enabled());
  }
}

}  // namespace
}  // namespace protection
