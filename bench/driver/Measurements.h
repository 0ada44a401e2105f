// Each measurement of the benchmark, on one run of a program under Wine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

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

struct CadenceRun {
  double periodMs = 0;
  std::size_t expected = 0;  // starts a perfect timer makes in the window
  std::size_t counted = 0;
  double fittedPeriodMs = 0;
  double meanGapErrorMs = 0;
  double p99GapErrorMs = 0;
};
// Sets the period, then records the starts over `windowMs`.
std::vector<CadenceRun> MeasureCadence(const Subject& program, const std::vector<std::uint32_t>& periodsMs,
                                       double windowMs);

struct RoundTrips {
  std::vector<double> samplesMs;
};
// SendMessageTimeout(WM_NULL) round trips to the subject's window, one every `intervalMs`.
// `stopped` stops the program's protection first.
RoundTrips MeasureRoundTrips(const Subject& subject, bool stopped, double durationMs,
                             double intervalMs);

struct StartUp {
  double visibleMs = 0;
  double firstArpMs = 0;  // 0 when the subject starts no arp
  std::uint64_t peakWorkingSet = 0;
};
StartUp MeasureStartUp(const Subject& subject, bool waitForArp);

// CPU time of each process over `durationMs`, all of them running side by side.
std::vector<double> MeasureCpuTime(const std::vector<Subject>& subjects, double durationMs);

struct Endurance {
  e2e::ProcessResources before;
  e2e::ProcessResources after;
  std::size_t starts = 0;
  std::size_t trips = 0;
  double seconds = 0;
  std::wstring sources;
};
Endurance MeasureEndurance(const Subject& program, std::uint32_t periodMs, std::size_t flushes,
                           std::size_t trips);

}  // namespace bench
