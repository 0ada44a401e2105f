// End-to-end: with our own stand-in admds.dll, twenty trips to the tray and back (each
// handing both panels to the library again) leave the program with exactly the windows,
// handles and GDI objects it held after the first trip.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "endurance/ProcessResources.h"
#include "endurance/ProgramControl.h"
#include "endurance/ResourceSnapshot.h"
#include "harness/Figures.h"
#include "harness/ProgramUnderTest.h"
#include "harness/UniqueHandle.h"
#include "harness/WindowQuery.h"

namespace e2e {
namespace {

constexpr std::size_t kTrips = 20;

// Every window of the process that can be enumerated: top-level ones and all their children,
// where a library that adds a window per call instead of reusing its own would show.
std::uint32_t WindowCount(DWORD processId) {
  std::size_t count = 0;
  for (HWND window : TopLevelWindows(processId)) count += 1 + Descendants(window).size();
  return static_cast<std::uint32_t>(count);
}

struct Reading {
  ProcessResources resources;
  std::uint32_t windows = 0;
};

Reading ReadSettled(HANDLE process, DWORD processId) {
  Reading reading;
  reading.resources = SettledResources(process, processId);
  reading.windows = WindowCount(processId);
  return reading;
}

TEST(AdPanelCycles, TwentyTripsToTheTrayLeaveNoWindowHandleOrGdiObjectBehind) {
  // The program as shipped: its own stand-in admds.dll beside it, no recorder.
  ProgramUnderTest program;
  ProgramControl control(program);
  ASSERT_TRUE(control.IsReady()) << "main form or tray window not found";
  UniqueHandle process(OpenForReading(program.ProcessId()));
  ASSERT_TRUE(process) << "cannot open the program, error " << GetLastError();
  // No arp starts during the readings: their handles come and go on their own schedule.
  ASSERT_TRUE(control.Stop());

  // What the first showings create once (the library's own windows, the skin's brushes) is
  // not growth: the baseline is taken after one trip.
  ASSERT_TRUE(control.HideAndRestore()) << "first trip";
  ASSERT_TRUE(control.WaitUntilIdle());
  const Reading before = ReadSettled(process.Get(), program.ProcessId());
  ASSERT_TRUE(before.resources.handles && before.resources.gdiObjects)
      << "figures not readable: "
      << DescribeChange("handles", before.resources.handles, before.resources.handles) << ", "
      << DescribeChange("GDI objects", before.resources.gdiObjects, before.resources.gdiObjects);

  for (std::size_t trip = 1; trip <= kTrips; ++trip) {
    ASSERT_TRUE(control.HideAndRestore()) << "trip " << trip;
  }
  ASSERT_TRUE(control.WaitUntilIdle());
  const Reading after = ReadSettled(process.Get(), program.ProcessId());

  EXPECT_EQ(after.windows, before.windows)
      << DescribeChange("windows", before.windows, after.windows);
  EXPECT_EQ(after.resources.handles, before.resources.handles)
      << DescribeChange("handles", before.resources.handles, after.resources.handles);
  EXPECT_EQ(after.resources.gdiObjects, before.resources.gdiObjects)
      << DescribeChange("GDI objects", before.resources.gdiObjects, after.resources.gdiObjects);
  EXPECT_EQ(after.resources.userObjects, before.resources.userObjects)
      << DescribeChange("USER objects", before.resources.userObjects, after.resources.userObjects);
  ReportFigure("windowsAfterFirstTrip", before.windows, "");
  ReportFigure("windowsAfterTrips", after.windows, "");
  if (before.resources.handles && after.resources.handles) {
    ReportFigure("handlesAfterFirstTrip", *before.resources.handles, "");
    ReportFigure("handlesAfterTrips", *after.resources.handles, "");
  }
  if (before.resources.gdiObjects && after.resources.gdiObjects) {
    ReportFigure("gdiObjectsAfterFirstTrip", *before.resources.gdiObjects, "");
    ReportFigure("gdiObjectsAfterTrips", *after.resources.gdiObjects, "");
  }
}

}  // namespace
}  // namespace e2e
