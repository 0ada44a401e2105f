// The fault guard against faults raised by the processor inside a DLL: at the top of a call,
// inside the DLL's own window procedure, and in calls made from our window procedures.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "ads/GuardedCall.h"
#include "ads/tests/TestWindows.h"
#include "ads/tests/faultlib/FaultLib.h"

namespace {

// Runs `call` under the guard and returns what the fault said about itself.
template <class Call>
ads::FaultDetails FaultOf(Call call) {
  try {
    ads::CallGuarded(call);
  } catch (const ads::AdLibraryFault& fault) {
    return fault.Details();
  }
  ADD_FAILURE() << "the guarded call returned without a fault";
  return {};
}

bool IsInsideFaultLib(std::uintptr_t address) {
  const HMODULE module = GetModuleHandleW(L"faultlib.dll");
  const auto base = reinterpret_cast<std::uintptr_t>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
  const auto* nt =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(base + static_cast<std::uintptr_t>(dos->e_lfanew));
  return address >= base && address < base + nt->OptionalHeader.SizeOfImage;
}

struct FaultCase {
  const char* name;
  FaultKind kind;
  std::uint32_t code;
  bool hasAccess;
  std::uintptr_t accessKind;
  std::uintptr_t accessAddress;
};

const FaultCase kFaultCases[] = {
    {"WriteToNull", kWriteNull, EXCEPTION_ACCESS_VIOLATION, true, 1, 0},
    {"ReadFromUnmappedAddress", kReadWildAddress, EXCEPTION_ACCESS_VIOLATION, true, 0,
     kWildAddress},
    {"IntegerDivisionByZero", kDivideByZero, EXCEPTION_INT_DIVIDE_BY_ZERO, false, 0, 0},
    {"IllegalInstruction", kIllegalInstruction, EXCEPTION_ILLEGAL_INSTRUCTION, false, 0, 0},
};

class FaultInLibrary : public testing::TestWithParam<FaultCase> {};

TEST_P(FaultInLibrary, AbandonsTheCallAndRaisesAdLibraryFault) {
  const FaultCase& fault = GetParam();
  bool returned = false;
  const ads::FaultDetails details = FaultOf([&returned, &fault] {
    FaultLibRaise(fault.kind);
    returned = true;
  });
  EXPECT_FALSE(returned);
  EXPECT_EQ(details.code, fault.code);
  EXPECT_TRUE(IsInsideFaultLib(details.instructionAddress))
      << std::hex << "fault reported at 0x" << details.instructionAddress;
  EXPECT_EQ(details.hasAccess, fault.hasAccess);
  if (fault.hasAccess) {
    EXPECT_EQ(details.accessKind, fault.accessKind);
    EXPECT_EQ(details.accessAddress, fault.accessAddress);
  }
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultInLibrary, testing::ValuesIn(kFaultCases),
                         [](const testing::TestParamInfo<FaultCase>& param) {
                           return std::string(param.param.name);
                         });

TEST(GuardedCall, ReturnsNormallyWhenNothingFaults) {
  int sum = 0;
  ads::CallGuarded([&sum] { sum = FaultLibAdd(2, 3); });
  EXPECT_EQ(sum, 5);
}

TEST(GuardedCall, KeepsWorkingCallAfterCall) {
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(FaultOf([] { FaultLibRaise(kWriteNull); }).code, EXCEPTION_ACCESS_VIOLATION);
    int sum = 0;
    ads::CallGuarded([&sum, round] { sum = FaultLibAdd(round, 10); });
    EXPECT_EQ(sum, round + 10);
  }
}

TEST(GuardedCall, PassesACppExceptionThroughAndStaysArmedForTheNextCall) {
  EXPECT_THROW(ads::CallGuarded([] { throw std::logic_error("thrown inside"); }), std::logic_error);
  EXPECT_EQ(FaultOf([] { FaultLibRaise(kWriteNull); }).code, EXCEPTION_ACCESS_VIOLATION);
}

TEST(GuardedCall, CatchesAFaultInsideTheLibrarysOwnWindowProcedure) {
  const ads::FaultDetails details = FaultOf([] { FaultLibRaiseInOwnWindow(kWriteNull); });
  EXPECT_EQ(details.code, EXCEPTION_ACCESS_VIOLATION);
  EXPECT_TRUE(IsInsideFaultLib(details.instructionAddress));
}

// Raised only by the test below; continuable.
constexpr DWORD kProbeException = 0xE0000A55;

LONG WINAPI ContinueAfterProbe(EXCEPTION_POINTERS* exception) {
  return exception->ExceptionRecord->ExceptionCode == kProbeException ? EXCEPTION_CONTINUE_EXECUTION
                                                                      : EXCEPTION_CONTINUE_SEARCH;
}

// Installs an unhandled-exception filter for the scope, then puts the previous one back.
class UnhandledExceptionFilterScope {
 public:
  explicit UnhandledExceptionFilterScope(LPTOP_LEVEL_EXCEPTION_FILTER filter)
      : previous_(SetUnhandledExceptionFilter(filter)) {}
  UnhandledExceptionFilterScope(const UnhandledExceptionFilterScope&) = delete;
  UnhandledExceptionFilterScope& operator=(const UnhandledExceptionFilterScope&) = delete;
  ~UnhandledExceptionFilterScope() { SetUnhandledExceptionFilter(previous_); }

 private:
  LPTOP_LEVEL_EXCEPTION_FILTER previous_;
};

// Overwrites the stack below its caller, where the frames of an abandoned call lay.
__attribute__((noinline)) void OverwriteStackBelow() {
  volatile char bytes[16384];
  for (auto& byte : bytes) byte = 0x5A;
}

// The abandoned frames registered exception handlers of their own (the system's window
// procedure dispatch does) in the thread's handler chain. After the fault the thread must
// handle exceptions as before: C++ ones, and a structured exception nobody catches, which
// walks that whole chain up to the thread's outermost frame and its unhandled-exception
// filter. A chain still pointing into the overwritten frames leads it astray.
TEST(GuardedCall, LeavesTheThreadHandlingExceptionsAfterAFaultInAWindowProcedure) {
  FaultOf([] { FaultLibRaiseInOwnWindow(kWriteNull); });
  OverwriteStackBelow();
  bool caught = false;
  try {
    throw std::runtime_error("after the fault");
  } catch (const std::runtime_error&) {
    caught = true;
  }
  EXPECT_TRUE(caught);
  const UnhandledExceptionFilterScope filter(&ContinueAfterProbe);
  RaiseException(kProbeException, 0, 0, nullptr);  // returns once the filter continues it
}

// --- guarded calls made from inside a window procedure of ours ---

constexpr UINT kRunFaultingCall = WM_APP + 1;
constexpr UINT kRunAddingCall = WM_APP + 2;

// Writes down every outcome instead of letting an exception leave the procedure.
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* log = reinterpret_cast<std::vector<std::string>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (log == nullptr || (message != kRunFaultingCall && message != kRunAddingCall)) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    if (message == kRunFaultingCall) {
      ads::CallGuarded([] { FaultLibRaise(kWriteNull); });
      log->push_back("returned");
    } else {
      int sum = 0;
      ads::CallGuarded([&sum] { sum = FaultLibAdd(40, 2); });
      log->push_back("sum " + std::to_string(sum));
    }
  } catch (const ads::AdLibraryFault&) {
    log->push_back("AdLibraryFault");
  } catch (...) {
    log->push_back("other exception");
  }
  return 1;
}

class GuardInWindowProcedure : public testing::Test {
 protected:
  GuardInWindowProcedure() {
    SetWindowLongPtrW(window_.Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log_));
  }

  HWND Handle() const { return window_.Handle(); }

  // Dispatches everything posted so far, as the program's message loop would.
  static void DispatchPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  std::vector<std::string> log_;

 private:
  ads::test::WindowClass class_{L"AdsGuardTestWindow", &RecordingProc};
  ads::test::Window window_{class_, WS_OVERLAPPED, 0, 0, 100, 100};
};

TEST_F(GuardInWindowProcedure, CatchesTheFaultThereAndTheMessageLoopGoesOn) {
  PostMessageW(Handle(), kRunFaultingCall, 0, 0);
  PostMessageW(Handle(), kRunAddingCall, 0, 0);
  DispatchPending();
  EXPECT_EQ(log_, (std::vector<std::string>{"AdLibraryFault", "sum 42"}));
}

// The library calls back into our window procedure, which makes a guarded call of its own
// that faults: the inner call ends, the outer one runs on to its normal return.
TEST_F(GuardInWindowProcedure, InnerFaultLeavesTheOuterCallRunning) {
  LRESULT answer = 0;
  bool outerFinished = false;
  ads::CallGuarded([this, &answer, &outerFinished] {
    answer = FaultLibSend(Handle(), kRunFaultingCall);
    outerFinished = true;
  });
  EXPECT_TRUE(outerFinished);
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(log_, (std::vector<std::string>{"AdLibraryFault"}));
}

// --- what the user reads, and which exceptions count ---

// An address as the message shows it: hexadecimal, padded to the width of a pointer.
std::string Address(const std::string& digits) {
  return "0x" + std::string(sizeof(void*) * 2 - digits.size(), '0') + digits;
}

struct MessageCase {
  ads::FaultDetails details;
  std::string expected;
};

TEST(AdLibraryFault, MessageNamesTheFaultAndWhereItHappened) {
  const MessageCase cases[] = {
      {{EXCEPTION_ACCESS_VIOLATION, 0x401A2B, true, 1, 0},
       "The ad library failed (access violation writing address " + Address("0") + " at " +
           Address("401A2B") + ")"},
      {{EXCEPTION_ACCESS_VIOLATION, 0x401A2B, true, 0, 0x1230},
       "The ad library failed (access violation reading address " + Address("1230") + " at " +
           Address("401A2B") + ")"},
      {{EXCEPTION_ACCESS_VIOLATION, 0x1230, true, 8, 0x1230},
       "The ad library failed (access violation executing address " + Address("1230") + " at " +
           Address("1230") + ")"},
      {{EXCEPTION_INT_DIVIDE_BY_ZERO, 0x6A1C0010, false, 0, 0},
       "The ad library failed (integer division by zero at " + Address("6A1C0010") + ")"},
      {{0xE0000001, 0x10, false, 0, 0},
       "The ad library failed (exception 0xE0000001 at " + Address("10") + ")"},
  };
  for (const MessageCase& messageCase : cases) {
    EXPECT_EQ(ads::AdLibraryFault(messageCase.details).what(), messageCase.expected);
  }
}

TEST(AdLibraryFault, CountsOnlyProcessorFaults) {
  struct CodeCase {
    std::uint32_t code;
    bool isFault;
  };
  const CodeCase cases[] = {
      {EXCEPTION_ACCESS_VIOLATION, true},
      {EXCEPTION_INT_DIVIDE_BY_ZERO, true},
      {EXCEPTION_ILLEGAL_INSTRUCTION, true},
      {EXCEPTION_IN_PAGE_ERROR, true},
      {EXCEPTION_PRIV_INSTRUCTION, true},
      {EXCEPTION_BREAKPOINT, false},      // a debugger's
      {EXCEPTION_SINGLE_STEP, false},     // a debugger's
      {EXCEPTION_STACK_OVERFLOW, false},  // no stack left to recover on
      {0x20474343, false},                // a C++ exception thrown by GCC code (x86_64)
      {0xE06D7363, false},                // a C++ exception thrown by MSVC code
      {0x40010006, false},                // OutputDebugStringA
      {0x406D1388, false},                // a debugger's thread name
  };
  for (const CodeCase& codeCase : cases) {
    EXPECT_EQ(ads::IsHardwareFault(codeCase.code), codeCase.isFault)
        << std::hex << "code 0x" << codeCase.code;
  }
}

}  // namespace
