// The error raised when a call into the ad library is abandoned because of a hardware fault.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace ads {

// What the fault handler learned about one hardware fault.
struct FaultDetails {
  std::uint32_t code = 0;                 // the exception code, e.g. 0xC0000005
  std::uintptr_t instructionAddress = 0;  // the instruction that raised it
  // Access violations and in-page errors also say how memory was touched and where.
  bool hasAccess = false;
  std::uintptr_t accessKind = 0;  // 0 read, 1 write, 8 execute
  std::uintptr_t accessAddress = 0;
};

// True for the exception codes the guard treats as a failure of the called code: the
// processor's faults. Breakpoints, C++ exceptions, debug strings and stack overflow are not
// among them (see HardwareFaults in AdLibraryFault.cpp for why).
bool IsHardwareFault(std::uint32_t code) noexcept;

// "The ad library failed (access violation writing address 0x00000000 at 0x6A1C1234)".
std::string DescribeFault(const FaultDetails& details);

class AdLibraryFault : public std::runtime_error {
 public:
  explicit AdLibraryFault(const FaultDetails& details);
  const FaultDetails& Details() const noexcept { return details_; }

 private:
  FaultDetails details_;
};

}  // namespace ads
