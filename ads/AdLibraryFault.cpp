// Which exceptions count as a fault of the ad library, and how one reads to the user.
#include "ads/AdLibraryFault.h"

#include <windows.h>

#include <cinttypes>
#include <cstdio>

namespace ads {
namespace {

struct HardwareFault {
  std::uint32_t code;
  const char* description;
};

// The faults a call may be abandoned for. Left out on purpose: EXCEPTION_BREAKPOINT and
// EXCEPTION_SINGLE_STEP (a debugger's), EXCEPTION_STACK_OVERFLOW (the guard page is used up
// and the stack cannot be trusted to run the recovery), and software exceptions such as C++
// throws and OutputDebugString, which are raised on purpose and handled by their own code.
constexpr HardwareFault kHardwareFaults[] = {
    {EXCEPTION_ACCESS_VIOLATION, "access violation"},
    {EXCEPTION_IN_PAGE_ERROR, "in-page error"},
    {EXCEPTION_DATATYPE_MISALIGNMENT, "misaligned data access"},
    {EXCEPTION_ARRAY_BOUNDS_EXCEEDED, "array bounds exceeded"},
    {EXCEPTION_ILLEGAL_INSTRUCTION, "illegal instruction"},
    {EXCEPTION_PRIV_INSTRUCTION, "privileged instruction"},
    {EXCEPTION_INT_DIVIDE_BY_ZERO, "integer division by zero"},
    {EXCEPTION_INT_OVERFLOW, "integer overflow"},
    {EXCEPTION_FLT_DIVIDE_BY_ZERO, "floating-point division by zero"},
    {EXCEPTION_FLT_INVALID_OPERATION, "invalid floating-point operation"},
    {EXCEPTION_FLT_OVERFLOW, "floating-point overflow"},
    {EXCEPTION_FLT_UNDERFLOW, "floating-point underflow"},
    {EXCEPTION_FLT_INEXACT_RESULT, "inexact floating-point result"},
    {EXCEPTION_FLT_DENORMAL_OPERAND, "denormal floating-point operand"},
    {EXCEPTION_FLT_STACK_CHECK, "floating-point stack check"},
};

const char* FaultName(std::uint32_t code) noexcept {
  for (const HardwareFault& fault : kHardwareFaults) {
    if (fault.code == code) return fault.description;
  }
  return nullptr;
}

const char* AccessVerb(std::uintptr_t accessKind) {
  switch (accessKind) {
    case 0:
      return "reading";
    case 1:
      return "writing";
    case 8:
      return "executing";
    default:
      return "accessing";
  }
}

// Addresses are shown at the width of a pointer, as Windows' own crash reports show them.
constexpr int kAddressDigits = static_cast<int>(sizeof(void*) * 2);

}  // namespace

bool IsHardwareFault(std::uint32_t code) noexcept { return FaultName(code) != nullptr; }

std::string DescribeFault(const FaultDetails& details) {
  char what[96];
  if (const char* name = FaultName(details.code)) {
    if (details.hasAccess) {
      std::snprintf(what, sizeof what, "%s %s address 0x%0*" PRIXPTR, name,
                    AccessVerb(details.accessKind), kAddressDigits, details.accessAddress);
    } else {
      std::snprintf(what, sizeof what, "%s", name);
    }
  } else {
    std::snprintf(what, sizeof what, "exception 0x%08" PRIX32, details.code);
  }
  char text[192];
  std::snprintf(text, sizeof text, "The ad library failed (%s at 0x%0*" PRIXPTR ")", what,
                kAddressDigits, details.instructionAddress);
  return text;
}

AdLibraryFault::AdLibraryFault(const FaultDetails& details)
    : std::runtime_error(DescribeFault(details)), details_(details) {}

}  // namespace ads
