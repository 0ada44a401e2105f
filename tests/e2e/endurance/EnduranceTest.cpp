// A long run in little time: a thousand flushes at the shortest period and ten trips to the
// tray and back must leave the program holding exactly what it held before.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "endurance/ProcessResources.h"
#include "endurance/ProgramControl.h"
#include "endurance/ResourceSnapshot.h"
#include "harness/Clock.h"
#include "harness/ProgramUnderTest.h"
#include "harness/Text.h"
#include "harness/UniqueHandle.h"

namespace e2e {
namespace {

constexpr std::uint32_t kShortPeriodMs = 10;
constexpr std::size_t kFlushes = 1000;
constexpr std::size_t kTrayTrips = 10;

TEST(Endurance, ThousandFlushesAndTenTrayTripsLeaveNoHandleOrGuiObjectBehind) {
  ProgramUnderTest program;
  ProgramControl control(program);
  ASSERT_TRUE(control.IsReady()) << "main form or tray window not found";
  UniqueHandle process(OpenForReading(program.ProcessId()));
  ASSERT_TRUE(process) << "cannot open the program, error " << GetLastError();

  // One flush and one trip before the first reading: what the program creates once, on
  // first use, is not growth.
  ASSERT_TRUE(control.RunAt(kShortPeriodMs));
  ASSERT_FALSE(program.Arp().WaitForStartsSince(0, 1, 5s).empty()) << "no arp start at all";
  ASSERT_TRUE(control.HideAndRestore());
  ASSERT_TRUE(control.Stop());
  const ProcessResources before = SettledResources(process.Get(), program.ProcessId());
  ASSERT_TRUE(before.handles && before.gdiObjects && before.userObjects)
      << "figures not readable: " << DescribeChange("handles", before.handles, before.handles);

  ASSERT_TRUE(control.RunAt(kShortPeriodMs));
  const double from = NowMs();
  for (std::size_t trip = 1; trip <= kTrayTrips; ++trip) {
    // Spread the trips over the run, so windows come and go while arp starts.
    const std::size_t flushesSoFar = kFlushes * trip / kTrayTrips;
    ASSERT_GE(program.Arp().WaitForStartsSince(from, flushesSoFar, 120s).size(), flushesSoFar)
        << "the flushes stopped before trip " << trip;
    ASSERT_TRUE(control.HideAndRestore()) << "trip " << trip;
  }
  ASSERT_TRUE(control.Stop());
  const ProcessResources after = SettledResources(process.Get(), program.ProcessId());

  EXPECT_EQ(after.handles, before.handles)
      << DescribeChange("handles", before.handles, after.handles);
  EXPECT_EQ(after.gdiObjects, before.gdiObjects)
      << DescribeChange("GDI objects", before.gdiObjects, after.gdiObjects);
  EXPECT_EQ(after.userObjects, before.userObjects)
      << DescribeChange("USER objects", before.userObjects, after.userObjects);
  RecordProperty("sources", Narrow(ResourceSources(process.Get(), program.ProcessId())));
}

}  // namespace
}  // namespace e2e
