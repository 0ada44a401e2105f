// What another process holds and costs, read from outside.
#include "endurance/ProcessResources.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "harness/UniqueHandle.h"

namespace e2e {
namespace {

// One entry of a process's GDI handle table, laid out as the system shares it with the
// process (PEB::GdiSharedHandleTable); an entry whose type is 0 is free.
struct GdiHandleEntry {
  std::uint64_t object;
  std::uint32_t owner;
  std::uint16_t unique;
  std::uint8_t type;
  std::uint8_t flags;
  std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "the table's entries are 24 bytes");
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
constexpr std::size_t kGdiTableEntries = 0x10000;
// Where the PEB keeps the table's address.
constexpr std::size_t kGdiTableOffsetInPeb = sizeof(void*) == 8 ? 0xF8 : 0x94;

// The system's list of every open handle, with its owner; Wine's server keeps it.
std::optional<std::uint32_t> HandlesFromSystemList(DWORD processId) {
  std::vector<std::byte> buffer(1 << 20);
  for (;;) {
    ULONG needed = 0;
    const NTSTATUS status = NtQuerySystemInformation(SystemHandleInformation, buffer.data(),
                                                     static_cast<ULONG>(buffer.size()), &needed);
    if (status == kInfoLengthMismatch) {
      buffer.resize((std::max)(buffer.size() * 2, static_cast<std::size_t>(needed) + 4096));
      continue;
    }
    if (status < 0) return std::nullopt;
    break;
  }
  const auto* list = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
  std::uint32_t count = 0;
  for (ULONG i = 0; i < list->Count; ++i) {
    if (list->Handle[i].OwnerPid == processId) ++count;
  }
  return count;
}

// Committed private memory, summed over the process's address space: what Windows calls
// its private bytes. Wine's GetProcessMemoryInfo leaves PrivateUsage at 0.
std::uint64_t CommittedPrivateBytes(HANDLE process) {
  std::uint64_t total = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (const std::byte* address = nullptr;
       VirtualQueryEx(process, address, &region, sizeof region) == sizeof region;
       address = static_cast<const std::byte*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    if (region.RegionSize == 0) break;
  }
  return total;
}

std::optional<std::uint32_t> GdiObjectsFromHandleTable(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) <
          0 ||
      basic.PebBaseAddress == nullptr) {
    return std::nullopt;
  }
  std::uint64_t tableAddress = 0;
  SIZE_T read = 0;
  if (!ReadProcessMemory(
          process, reinterpret_cast<const std::byte*>(basic.PebBaseAddress) + kGdiTableOffsetInPeb,
          &tableAddress, sizeof(void*), &read) ||
      tableAddress == 0) {
    return std::nullopt;
  }
  std::vector<GdiHandleEntry> table(kGdiTableEntries);
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(tableAddress), table.data(),
                         table.size() * sizeof(GdiHandleEntry), &read)) {
    return std::nullopt;
  }
  std::uint32_t live = 0;
  for (const GdiHandleEntry& entry : table) {
    if (entry.type != 0) ++live;
  }
  return live;
}

struct WindowCount {
  DWORD processId;
  std::uint32_t count = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM context) {
  ++reinterpret_cast<WindowCount*>(context)->count;
  return TRUE;
}

void CountWithChildren(HWND window, WindowCount& count) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != count.processId) return;
  ++count.count;
  EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count));
}

std::uint32_t WindowsOfProcess(DWORD processId) {
  WindowCount count{processId};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        CountWithChildren(window, *reinterpret_cast<WindowCount*>(context));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  // Message-only windows are not top-level: walk them apart.
  for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
       window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
    CountWithChildren(window, count);
  }
  return count.count;
}

std::optional<std::uint32_t> GuiResources(HANDLE process, DWORD which) {
  const DWORD count = GetGuiResources(process, which);
  // Every GUI process holds some objects of each kind: 0 means the call is not implemented.
  if (count == 0) return std::nullopt;
  return count;
}

}  // namespace

HANDLE OpenForReading(DWORD processId) {
  return OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
}

ProcessResources ReadResources(HANDLE process, DWORD processId) {
  ProcessResources resources;
  resources.handles = HandlesFromSystemList(processId);
  resources.gdiObjects = GuiResources(process, GR_GDIOBJECTS);
  if (!resources.gdiObjects) resources.gdiObjects = GdiObjectsFromHandleTable(process);
  resources.userObjects = GuiResources(process, GR_USEROBJECTS);
  if (!resources.userObjects) resources.userObjects = WindowsOfProcess(processId);

  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory)) {
    resources.privateBytes = memory.PrivateUsage;
    resources.peakWorkingSet = memory.PeakWorkingSetSize;
  }
  if (resources.privateBytes == 0) resources.privateBytes = CommittedPrivateBytes(process);
  FILETIME created, exited, kernel, user;
  if (GetProcessTimes(process, &created, &exited, &kernel, &user)) {
    const auto toMs = [](const FILETIME& time) {
      return static_cast<double>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                 time.dwLowDateTime) /
             10000.0;
    };
    resources.cpuMs = toMs(kernel) + toMs(user);
  }
  return resources;
}

std::wstring ResourceSources(HANDLE process, DWORD) {
  std::wstring sources = L"handles: system handle list; ";
  sources += GuiResources(process, GR_GDIOBJECTS) ? L"GDI: GetGuiResources; "
                                                  : L"GDI: the process's GDI handle table; ";
  sources += GuiResources(process, GR_USEROBJECTS) ? L"USER: GetGuiResources"
                                                   : L"USER: the process's windows";
  return sources;
}

}  // namespace e2e
