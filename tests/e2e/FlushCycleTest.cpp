// End-to-end: the flush cycle starts "arp -d" from the first moment and follows the start/
// stop toggle and the period field.
#include <gtest/gtest.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "harness/Cadence.h"
#include "harness/Clock.h"
#include "harness/Figures.h"
#include "harness/FlushChecks.h"
#include "harness/MainForm.h"
#include "harness/ProgramUnderTest.h"
#include "harness/TestEnvironment.h"
#include "harness/Text.h"

namespace e2e {
namespace {

std::vector<std::wstring> Arguments(const std::wstring& commandLine) {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(commandLine.c_str(), &count);
  std::vector<std::wstring> arguments(argv, argv + count);
  LocalFree(argv);
  return arguments;
}

// Turns protection off with the field as it is, so that a test can set the field and turn
// protection on with it.
void StopProtection(const MainForm& form) {
  form.ClickButton();
  ASSERT_TRUE(form.WaitForButtonCaption(kStartCaption))
      << "caption: " << Narrow(form.ButtonCaption());
}

TEST(FlushCycle, StartsArpHiddenEvery500msFromLaunchWithoutAnyAction) {
  ProgramUnderTest program;
  const ArpLog& arp = program.Arp();

  // The starts of the first 5 s after the first one: at 0, 0.5, ... 4.5 s, so 10, give or
  // take one for a start delayed across either edge.
  std::vector<double> times = arp.WaitForStartsSince(0, kStartsToJudge, 20s);
  ASSERT_GE(times.size(), kStartsToJudge) << "arp did not keep starting by itself after launch";
  ReportFigure("firstArpStartAfterLaunch", times.front() - program.LaunchedAtMs(), "ms");
  const std::size_t inFirstFiveSeconds = CountWithin(times, times.front(), times.front() + 5000);
  EXPECT_GE(inFirstFiveSeconds, 9u) << "gaps: " << DescribeGaps(times);
  EXPECT_LE(inFirstFiveSeconds, 11u) << "gaps: " << DescribeGaps(times);

  EXPECT_TRUE(HasPeriod(times, 500, "periodAtLaunch"));

  const std::wstring systemArp = SystemArpPath().wstring();
  for (const ArpStart& start : arp.Starts()) {
    const ArpRecord& record = start.record;
    SCOPED_TRACE("command line: " + Narrow(record.commandLine));
    EXPECT_EQ(_wcsicmp(record.image.c_str(), systemArp.c_str()), 0)
        << "ran " << Narrow(record.image) << " instead of the system's arp";
    const std::vector<std::wstring> arguments = Arguments(record.commandLine);
    ASSERT_FALSE(arguments.empty());
    EXPECT_EQ(std::vector<std::wstring>(arguments.begin() + 1, arguments.end()),
              std::vector<std::wstring>{L"-d"});
    EXPECT_TRUE(record.usesShowWindow && record.showWindow == SW_HIDE)
        << "not started hidden: show window " << record.showWindow;
    // Under Wine 8 a console child has no console window either way, so this can only fail
    // on Windows, where it catches a start without CREATE_NO_WINDOW.
    EXPECT_FALSE(record.consoleWindow) << "started with a console window, which can flash up";
    EXPECT_EQ(record.parentProcessId, program.ProcessId());
  }
}

TEST(FlushCycle, NewPeriodTakesEffectOnlyAfterStopAndStart) {
  ProgramUnderTest program;
  MainForm form(program);
  ASSERT_TRUE(form.IsFound());

  form.Paste(L"");
  form.Type(L"1000");
  ASSERT_TRUE(form.WaitForFieldText(L"1000")) << "field: " << Narrow(form.FieldText());
  EXPECT_TRUE(FlushesEvery(program.Arp(), NowMs(), 500, "periodAfterTypingWhileOn"))
      << "typing into the field changed the running period";

  form.ClickButton();
  ASSERT_TRUE(form.WaitForButtonCaption(kStartCaption)) << Narrow(form.ButtonCaption());
  EXPECT_TRUE(FlushesNothingFor(program.Arp(), NowMs(), 3s));

  form.ClickButton();
  ASSERT_TRUE(form.WaitForButtonCaption(kStopCaption)) << Narrow(form.ButtonCaption());
  EXPECT_TRUE(FlushesEvery(program.Arp(), NowMs(), 1000, "periodAfterRestartWith1000"));
}

TEST(FlushCycle, PastedPeriodWithBlanksRunsAtItsValueAndKeepsTheBlanks) {
  ProgramUnderTest program;
  MainForm form(program);
  ASSERT_TRUE(form.IsFound());

  form.Paste(L" 750 ");
  ASSERT_NO_FATAL_FAILURE(StopProtection(form));
  form.ClickButton();
  ASSERT_TRUE(form.WaitForButtonCaption(kStopCaption)) << Narrow(form.ButtonCaption());
  EXPECT_TRUE(FlushesEvery(program.Arp(), NowMs(), 750, "periodAfterRestartWith750"));
  EXPECT_EQ(form.FieldText(), L" 750 ");
}

// Fields that convert to 0 or less: the field falls back to "500", and so does the period,
// instead of a timer that never ticks (0) or ticks once in weeks (a negative number taken
// as unsigned).
class PeriodAtOrBelowZero : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(PeriodAtOrBelowZero, RestartsAt500AndResetsTheField) {
  ProgramUnderTest program;
  MainForm form(program);
  ASSERT_TRUE(form.IsFound());
  ASSERT_NO_FATAL_FAILURE(StopProtection(form));

  form.Paste(GetParam());
  form.ClickButton();
  ASSERT_TRUE(form.WaitForButtonCaption(kStopCaption)) << Narrow(form.ButtonCaption());
  EXPECT_EQ(form.FieldText(), L"500");
  EXPECT_TRUE(FlushesEvery(program.Arp(), NowMs(), 500, "periodAfterRestartAtOrBelowZero"));
}

INSTANTIATE_TEST_SUITE_P(FlushCycle, PeriodAtOrBelowZero, ::testing::Values(L"0", L"-5"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& field) {
                           return std::string(std::wstring(field.param) == L"0" ? "Zero"
                                                                                : "Negative");
                         });

}  // namespace
}  // namespace e2e
