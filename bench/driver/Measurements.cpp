// Each measurement of the benchmark, on one run of a program under Wine.
#include "driver/Measurements.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>

#include "driver/Statistics.h"
#include "endurance/ProgramControl.h"
#include "endurance/ResourceSnapshot.h"
#include "harness/Cadence.h"
#include "harness/Clock.h"
#include "harness/FlushChecks.h"
#include "harness/ProgramUnderTest.h"
#include "harness/UniqueHandle.h"
#include "harness/WindowQuery.h"

namespace bench {
namespace {

using e2e::milliseconds;
using namespace std::chrono_literals;

// The harness starts the program named by this variable; the benchmark names each subject.
std::unique_ptr<e2e::ProgramUnderTest> Launch(const Subject& subject) {
  SetEnvironmentVariableW(L"ARPFLUSH_E2E_PROGRAM", subject.executable.wstring().c_str());
  return std::make_unique<e2e::ProgramUnderTest>();
}

// Polled every millisecond: start-up times are read from it.
HWND WaitForVisibleWindow(DWORD processId, const wchar_t* windowClass, milliseconds timeout) {
  HWND found = nullptr;
  e2e::WaitUntil(
      [&] {
        for (HWND window = FindWindowExW(nullptr, nullptr, windowClass, nullptr); window != nullptr;
             window = FindWindowExW(nullptr, window, windowClass, nullptr)) {
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          if (owner == processId && IsWindowVisible(window)) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeout, 1ms);
  return found;
}

void SleepUntil(double whenMs) {
  for (double now = e2e::NowMs(); now < whenMs; now = e2e::NowMs()) {
    Sleep(static_cast<DWORD>(std::min(100.0, std::max(1.0, whenMs - now))));
  }
}

}  // namespace

RoundTrips SampleRoundTrips(HWND window, double durationMs, double intervalMs) {
  RoundTrips trips;
  const double begin = e2e::NowMs();
  for (double slot = begin; slot < begin + durationMs; slot += intervalMs) {
    SleepUntil(slot);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    // Timed from the slot, not from the send: while the program is blocked the sampler is
    // too, and the slots it missed would otherwise go unrecorded (coordinated omission).
    trips.samplesMs.push_back(e2e::NowMs() - slot);
  }
  return trips;
}

namespace {

void Require(bool condition, const char* what) {
  if (!condition) throw std::runtime_error(what);
}

}  // namespace

std::vector<CadenceRun> MeasureCadence(const Subject& program,
                                       const std::vector<std::uint32_t>& periodsMs, double windowMs,
                                       RoundTrips* protecting, double roundTripMs) {
  const auto run = Launch(program);
  const e2e::ProgramControl control(*run);
  Require(control.IsReady(), "cadence: the program's windows did not appear");
  std::vector<CadenceRun> runs;
  for (std::uint32_t period : periodsMs) {
    Require(control.RunAt(period), "cadence: the program did not take the period");
    const double startedAt = e2e::NowMs();
    // Starts of the ticks before the change may still arrive for a while.
    const double from = startedAt + static_cast<double>(e2e::kStartLatency.count());
    if (protecting != nullptr && period == 500) {
      SleepUntil(from);
      *protecting = SampleRoundTrips(control.Form().Window(), roundTripMs, 5);
    }
    SleepUntil(from + windowMs + 2 * static_cast<double>(e2e::kStartLatency.count()));
    const std::vector<double> all = run->Arp().TimesSince(from);
    CadenceRun result;
    result.periodMs = period;
    result.expected = static_cast<std::size_t>(std::lround(windowMs / period));
    if (!all.empty()) {
      std::vector<double> inWindow;
      for (double t : all) {
        if (t < all.front() + windowMs) inWindow.push_back(t);
      }
      result.counted = inWindow.size();
      std::vector<double> errors;
      for (std::size_t i = 1; i < inWindow.size(); ++i) {
        errors.push_back(std::abs(inWindow[i] - inWindow[i - 1] - period));
      }
      result.meanGapErrorMs = Mean(errors);
      result.p99GapErrorMs = Percentile(errors, 99);
      if (inWindow.size() >= 2) result.fittedPeriodMs = e2e::FitCadence(inWindow).periodMs;
    }
    runs.push_back(result);
  }
  control.Stop();
  return runs;
}

RoundTrips MeasureRoundTrips(const Subject& subject, bool stopped, double durationMs,
                             double intervalMs) {
  const auto run = Launch(subject);
  HWND window = WaitForVisibleWindow(run->ProcessId(), subject.windowClass, 15s);
  Require(window != nullptr, "round trips: no window");
  if (subject.isProgram) {
    const e2e::ProgramControl control(*run);
    Require(control.IsReady(), "round trips: the program's windows did not appear");
    if (stopped) Require(control.Stop(), "round trips: the program did not stop");
  }
  // A second to settle: the first paint and the ad panels are start-up, not steady state.
  SleepUntil(e2e::NowMs() + 1000);
  return SampleRoundTrips(window, durationMs, intervalMs);
}

StartUp MeasureStartUp(const Subject& subject, bool waitForArp) {
  const auto run = Launch(subject);
  StartUp result;
  Require(WaitForVisibleWindow(run->ProcessId(), subject.windowClass, 15s) != nullptr,
          "start-up: no window");
  result.visibleMs = e2e::NowMs() - run->LaunchedAtMs();
  if (waitForArp) {
    const std::vector<double> first = run->Arp().WaitForStartsSince(0, 1, 10s);
    Require(!first.empty(), "start-up: no arp start");
    result.firstArpMs = first.front() - run->LaunchedAtMs();
  }
  // The peak of a program that has shown itself and run a little.
  SleepUntil(run->LaunchedAtMs() + 3000);
  e2e::UniqueHandle process(e2e::OpenForReading(run->ProcessId()));
  result.peakWorkingSet = e2e::ReadResources(process.Get(), run->ProcessId()).peakWorkingSet;
  return result;
}

std::vector<double> MeasureCpuTime(const std::vector<Subject>& subjects, double durationMs,
                                   const std::function<void()>& onceStarted) {
  std::vector<std::unique_ptr<e2e::ProgramUnderTest>> runs;
  std::vector<e2e::UniqueHandle> processes;
  for (const Subject& subject : subjects) {
    runs.push_back(Launch(subject));
    Require(WaitForVisibleWindow(runs.back()->ProcessId(), subject.windowClass, 15s) != nullptr,
            "cpu time: no window");
    processes.emplace_back(e2e::OpenForReading(runs.back()->ProcessId()));
  }
  if (onceStarted) onceStarted();
  SleepUntil(e2e::NowMs() + 2000);
  std::vector<double> before;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    before.push_back(e2e::ReadResources(processes[i].Get(), runs[i]->ProcessId()).cpuMs);
  }
  SleepUntil(e2e::NowMs() + durationMs);
  std::vector<double> used;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    used.push_back(e2e::ReadResources(processes[i].Get(), runs[i]->ProcessId()).cpuMs - before[i]);
  }
  return used;
}

Endurance MeasureEndurance(const Subject& program, std::uint32_t periodMs, std::size_t flushes,
                           std::size_t trips, double budgetMs) {
  const auto run = Launch(program);
  const e2e::ProgramControl control(*run);
  Require(control.IsReady(), "endurance: the program's windows did not appear");
  e2e::UniqueHandle process(e2e::OpenForReading(run->ProcessId()));
  Endurance result;
  // One flush and one trip first: what the program makes once, on first use, is not growth.
  Require(control.RunAt(periodMs), "endurance: the program did not take the period");
  Require(!run->Arp().WaitForStartsSince(0, 1, 5s).empty(), "endurance: no arp start");
  Require(control.HideAndRestore(), "endurance: no trip to the tray");
  Require(control.Stop(), "endurance: the program did not stop");
  result.before = e2e::SettledResources(process.Get(), run->ProcessId());

  Require(control.RunAt(periodMs), "endurance: the program did not take the period");
  const double from = e2e::NowMs();
  for (std::size_t trip = 1; trip <= trips; ++trip) {
    // Each trip waits for its share of the flushes or of the time budget, whichever comes
    // first: a program slower than the period still gets all its trips, and says how far
    // it got in result.starts.
    const std::size_t soFar = flushes * trip / trips;
    const double deadline =
        from + budgetMs * static_cast<double>(trip) / static_cast<double>(trips);
    const double left = std::max(0.0, deadline - e2e::NowMs());
    run->Arp().WaitForStartsSince(from, soFar, milliseconds(static_cast<long long>(left)));
    Require(control.HideAndRestore(), "endurance: no trip to the tray");
    ++result.trips;
  }
  Require(control.Stop(), "endurance: the program did not stop");
  result.seconds = (e2e::NowMs() - from) / 1000;
  result.starts = run->Arp().TimesSince(from).size();
  result.after = e2e::SettledResources(process.Get(), run->ProcessId());
  result.sources = e2e::ResourceSources(process.Get(), run->ProcessId());
  return result;
}

}  // namespace bench
