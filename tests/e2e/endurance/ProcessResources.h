// What another process holds and costs, read from outside: kernel handles, GDI and USER
// objects, memory and CPU time. Each figure says where it came from, because Wine answers
// some of the usual calls with stubs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace e2e {

struct ProcessResources {
  // Kernel handles, counted in the system's handle list (NtQuerySystemInformation), which
  // Wine's server keeps; GetProcessHandleCount and the process list's count are stubs there.
  std::optional<std::uint32_t> handles;
  // GDI objects: GetGuiResources when it gives a number, else the live entries of the
  // process's GDI handle table read from its memory (Wine keeps one table per process).
  std::optional<std::uint32_t> gdiObjects;
  // USER objects: GetGuiResources when it gives a number, else the process's windows
  // (top-level, message-only and every child), the USER objects a program makes most.
  std::optional<std::uint32_t> userObjects;
  // Committed private memory (PrivateUsage, or summed with VirtualQueryEx where that is 0).
  std::uint64_t privateBytes = 0;
  std::uint64_t peakWorkingSet = 0;
  double cpuMs = 0;  // user plus kernel time of the process itself
};

// Opens `processId` for reading; the handle is closed by the caller's UniqueHandle.
HANDLE OpenForReading(DWORD processId);

ProcessResources ReadResources(HANDLE process, DWORD processId);

// Where the figures of this run come from, for reports: "GetGuiResources" or the fallback.
std::wstring ResourceSources(HANDLE process, DWORD processId);

}  // namespace e2e
