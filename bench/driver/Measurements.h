// Each measurement of the benchmark, on one run of a program under Wine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include <windows.h>

#include "endurance/ProcessResources.h"

namespace bench {

// The class of the visible window each measured program shows.
inline constexpr wchar_t kProgramWindowClass[] = L"TForm1";
inline constexpr wchar_t kBaselineWindowClass[] = L"ArpflushBenchBaseline";

struct Subject {
  std::filesystem::path executable;
  const wchar_t* windowClass;
  bool isProgram;  // arpflush itself: it can be stopped and its period set
};

struct RoundTrips {
  std::vector<double> samplesMs;
};
// SendMessageTimeout(WM_NULL) round trips to `window`, one every `intervalMs`, each timed
// from its slot.
RoundTrips SampleRoundTrips(HWND window, double durationMs, double intervalMs);

struct CadenceRun {
  double periodMs = 0;
  std::size_t expected = 0;  // starts a perfect timer makes in the window
  std::size_t counted = 0;
  double fittedPeriodMs = 0;
  double meanGapErrorMs = 0;
  double p99GapErrorMs = 0;
};
// Sets each period in turn, then records the starts over `windowMs`. At 500 ms it also
// samples round trips to the main window over the first `roundTripMs` into `protecting`.
std::vector<CadenceRun> MeasureCadence(const Subject& program,
                                       const std::vector<std::uint32_t>& periodsMs, double windowMs,
                                       RoundTrips* protecting, double roundTripMs);

// Round trips to the subject's window; `stopped` stops the program's protection first.
RoundTrips MeasureRoundTrips(const Subject& subject, bool stopped, double durationMs,
                             double intervalMs);

struct StartUp {
  double visibleMs = 0;
  double firstArpMs = 0;  // 0 when the subject starts no arp
  std::uint64_t peakWorkingSet = 0;
};
StartUp MeasureStartUp(const Subject& subject, bool waitForArp);

// CPU time of each process over `durationMs`, all of them running side by side;
// `onceStarted` runs when they all show their windows, before the window begins.
std::vector<double> MeasureCpuTime(const std::vector<Subject>& subjects, double durationMs,
                                   const std::function<void()>& onceStarted);

struct Endurance {
  e2e::ProcessResources before;
  e2e::ProcessResources after;
  std::size_t starts = 0;
  std::size_t trips = 0;
  double seconds = 0;
  std::wstring sources;
};
// `flushes` starts at `periodMs` with `trips` trips to the tray spread over them, given at
// most `budgetMs`.
Endurance MeasureEndurance(const Subject& program, std::uint32_t periodMs, std::size_t flushes,
                           std::size_t trips, double budgetMs);

}  // namespace bench
