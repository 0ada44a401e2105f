// The countable resources of a program at rest.
#include "endurance/ResourceSnapshot.h"

namespace e2e {
namespace {

bool SameCounts(const ProcessResources& a, const ProcessResources& b) {
  return a.handles == b.handles && a.gdiObjects == b.gdiObjects && a.userObjects == b.userObjects;
}

}  // namespace

ProcessResources SettledResources(HANDLE process, DWORD processId, milliseconds timeout,
                                  milliseconds gap) {
  ProcessResources previous = ReadResources(process, processId);
  ProcessResources current = previous;
  WaitUntil(
      [&] {
        previous = current;
        current = ReadResources(process, processId);
        return SameCounts(previous, current);
      },
      timeout, gap);
  return current;
}

std::string DescribeChange(const char* name, const std::optional<std::uint32_t>& before,
                           const std::optional<std::uint32_t>& after) {
  std::string text = name;
  if (!before || !after) return text + " n/a";
  const long long change = static_cast<long long>(*after) - static_cast<long long>(*before);
  text += " " + std::to_string(*before) + " -> " + std::to_string(*after) + " (" +
          (change >= 0 ? "+" : "") + std::to_string(change) + ")";
  return text;
}

}  // namespace e2e
