// The fault guard: a vectored exception handler plus __builtin_setjmp/__builtin_longjmp.
//
// How a fault is turned into a return:
// 1. Before the call, CallUntilFault records where to resume with __builtin_setjmp.
// 2. The processor faults inside the call; Windows runs our vectored handler first, before any
//    frame-based handler. For a hardware fault during a guarded call on the guarded thread it
//    records the details and does not long-jump from inside the handler (that would strand
//    the dispatcher's state on the stack): it points the faulting thread's context at
//    LeaveFaultedCall, with a properly aligned stack, and returns EXCEPTION_CONTINUE_EXECUTION.
// 3. Windows resumes the thread in LeaveFaultedCall, outside any exception dispatch. It puts
//    back what the abandoned code may have left changed (the head of the chain of
//    stack-registered exception handlers, the floating-point control words) and long-jumps
//    to the point recorded in step 1.
// 4. RunGuarded, back in its own frame, throws AdLibraryFault.
#include "ads/GuardedCall.h"

#include <windows.h>

#include <atomic>
#include <cstdint>

namespace ads {
namespace {

// Everything needed to abandon one guarded call. It lives in RunGuarded's frame for as long
// as the call runs.
struct GuardFrame {
  void* resumePoint[5] = {};  // __builtin_setjmp's buffer: frame pointer, label, stack pointer
  DWORD threadId = 0;
  GuardFrame* outer = nullptr;  // the guarded call this one runs inside, if any
  bool leaving = false;         // set once the handler has redirected the thread
  FaultDetails fault;
  // Both control words are callee-saved under the Windows ABI, so a call that returns leaves
  // them as they were; a call that is abandoned never gets to restore them.
  std::uint16_t x87Control = 0;
#if defined(__x86_64__)
  std::uint32_t sseControl = 0;
#endif
  // The head of the chain of exception handlers registered on the stack (fs:[0] on i686,
  // gs:[0] on x86_64). i686 Windows keeps every structured handler there; x86_64 Windows
  // uses tables instead, but Wine keeps the handlers of its own DLLs' frames there on both.
  // Handlers the abandoned code registered (the system's window procedure dispatch does)
  // lie below the stack pointer we jump back to and are about to be overwritten: the next
  // exception would walk into them. The head is put back as it was before the call.
  EXCEPTION_REGISTRATION_RECORD* handlerChainHead = nullptr;
};

// The one mutable global of the guard, and why it cannot be avoided: a vectored handler is
// handed only the exception and the thread's context, never a pointer of ours, so it can
// only find the guarded call in progress through a global. It points at the innermost
// GuardFrame of the guarded thread (nullptr when no call is guarded); each frame links to
// the one outside it. Only the guarded thread writes it; the handler may run on any thread
// that faults, so it is atomic and the handler compares thread ids before acting.
std::atomic<GuardFrame*> innermostGuard{nullptr};

// The head of the thread's chain of stack-registered exception handlers, NT_TIB's
// ExceptionList, read and written directly: the TEB accessors of the headers trip GCC's
// array-bounds check on the segment-relative address.
#if defined(__x86_64__)
EXCEPTION_REGISTRATION_RECORD* HandlerChainHead() {
  EXCEPTION_REGISTRATION_RECORD* head;
  __asm__ volatile("movq %%gs:0, %0" : "=r"(head));
  return head;
}

void SetHandlerChainHead(EXCEPTION_REGISTRATION_RECORD* head) {
  __asm__ volatile("movq %0, %%gs:0" : : "r"(head) : "memory");
}
#else
EXCEPTION_REGISTRATION_RECORD* HandlerChainHead() {
  EXCEPTION_REGISTRATION_RECORD* head;
  __asm__ volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}

void SetHandlerChainHead(EXCEPTION_REGISTRATION_RECORD* head) {
  __asm__ volatile("movl %0, %%fs:0" : : "r"(head) : "memory");
}
#endif

void SaveFloatingPointControl(GuardFrame& frame) {
  __asm__ volatile("fnstcw %0" : "=m"(frame.x87Control));
#if defined(__x86_64__)
  __asm__ volatile("stmxcsr %0" : "=m"(frame.sseControl));
#endif
}

// Reached by the faulted thread instead of its next instruction (never called). It must not
// return: there is nothing valid to return to.
[[noreturn]] void LeaveFaultedCall() {
  GuardFrame* frame = innermostGuard.load();
  SetHandlerChainHead(frame->handlerChainHead);
  // fninit also empties the x87 register stack, which the faulted code may have left loaded.
  __asm__ volatile("fninit\n\tfldcw %0" : : "m"(frame->x87Control));
#if defined(__x86_64__)
  __asm__ volatile("ldmxcsr %0" : : "m"(frame->sseControl));
#endif
  __builtin_longjmp(frame->resumePoint, 1);
}

LONG CALLBACK OnException(EXCEPTION_POINTERS* exception) {
  GuardFrame* frame = innermostGuard.load();
  const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
  // A second fault while leaving means the stack itself is unusable: let it take its course
  // rather than redirect the thread in a circle.
  if (frame == nullptr || frame->threadId != GetCurrentThreadId() || frame->leaving ||
      !IsHardwareFault(record.ExceptionCode)) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  frame->leaving = true;
  frame->fault.code = record.ExceptionCode;
  frame->fault.instructionAddress = reinterpret_cast<std::uintptr_t>(record.ExceptionAddress);
  if ((record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION ||
       record.ExceptionCode == EXCEPTION_IN_PAGE_ERROR) &&
      record.NumberParameters >= 2) {
    frame->fault.hasAccess = true;
    frame->fault.accessKind = record.ExceptionInformation[0];
    frame->fault.accessAddress = record.ExceptionInformation[1];
  }

  // Resume in LeaveFaultedCall as if it had just been called: the stack pointer is aligned
  // as the ABI expects at a function's entry (16 bytes, less the return address slot). The
  // faulted frames below the old stack pointer are dead, so the new one may start at it.
  // Nothing is written to the stack from here: the dispatcher's own records (this context
  // among them) lie below the faulting stack pointer until the thread resumes.
  CONTEXT& context = *exception->ContextRecord;
#if defined(__x86_64__)
  context.Rsp = (context.Rsp & ~DWORD64{15}) - sizeof(DWORD64);
  context.Rip = reinterpret_cast<DWORD64>(&LeaveFaultedCall);
#elif defined(__i386__)
  context.Esp = (context.Esp & ~DWORD{15}) - sizeof(DWORD);
  context.Eip = reinterpret_cast<DWORD>(&LeaveFaultedCall);
#else
#error "The fault guard knows the x86 and x86_64 contexts only."
#endif
  // Compiled code assumes the direction flag clear at every call; the faulted code may have
  // set it.
  constexpr DWORD kDirectionFlag = 0x400;
  context.EFlags &= ~kDirectionFlag;
  return EXCEPTION_CONTINUE_EXECUTION;
}

// Makes `frame` the innermost guarded call and installs the handler for as long as it runs;
// the destructor undoes both in reverse order.
class ActiveGuard {
 public:
  explicit ActiveGuard(GuardFrame& frame) : frame_(frame) {
    frame_.threadId = GetCurrentThreadId();
    frame_.outer = innermostGuard.load();
    innermostGuard.store(&frame_);
    // First in line, so it sees the fault before any other vectored handler. A null result
    // (out of memory) is deliberately ignored: the call then runs unguarded, as it would
    // without this class.
    handler_ = AddVectoredExceptionHandler(1, &OnException);
  }
  ActiveGuard(const ActiveGuard&) = delete;
  ActiveGuard& operator=(const ActiveGuard&) = delete;
  ~ActiveGuard() {
    if (handler_ != nullptr) RemoveVectoredExceptionHandler(handler_);
    innermostGuard.store(frame_.outer);
  }

 private:
  GuardFrame& frame_;
  void* handler_ = nullptr;
};

// True when the call returned, false when a fault abandoned it.
//
// noipa, not just noinline: with inter-procedural register allocation GCC may let a caller
// keep a value in a register it "knows" this function leaves alone; after the long jump that
// register holds whatever the faulted code left in it. Without IPA the callers assume the
// ABI, and this function, holding a setjmp receiver, saves every callee-saved register.
__attribute__((noipa)) bool CallUntilFault(GuardedFunction function, void* argument,
                                           GuardFrame& frame) {
  if (__builtin_setjmp(frame.resumePoint) != 0) return false;
  function(argument);
  return true;
}

}  // namespace

void RunGuarded(GuardedFunction function, void* argument) {
  GuardFrame frame;
  SaveFloatingPointControl(frame);
  frame.handlerChainHead = HandlerChainHead();
  {
    ActiveGuard guard(frame);
    if (CallUntilFault(function, argument, frame)) return;
  }
  // The call has been left and the guard removed: from here on this is ordinary C++.
  throw AdLibraryFault(frame.fault);
}

}  // namespace ads
