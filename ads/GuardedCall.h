// Runs a call into the ad library so that a hardware fault inside it (an access violation,
// for one) abandons the call and is raised as AdLibraryFault instead of ending the process.
//
// C++ try/catch cannot catch such a fault: it is a structured exception raised by the
// processor, and GCC's C++ exception handling never sees it. The guard catches it with a
// vectored exception handler, installed only while the call runs, and leaves the faulted
// code through __builtin_longjmp (see GuardedCall.cpp).
//
// Limits, by design:
// - Guarded calls are made from one thread (the main thread). A fault on any other thread is
//   left alone, as it would be without the guard.
// - Whatever the abandoned code held is abandoned with it: its destructors do not run and
//   its locks stay taken. The callable passed here should hold nothing that needs undoing
//   beyond the call itself (plain arguments, no strings or containers built inside).
// - A fault that the called code would have caught itself with a structured handler of its
//   own is taken as a failure as well: the vectored handler runs first and cannot tell.
// - A fault inside a window procedure that the system entered from within a system call (the
//   WM_CREATE of a window the library creates, for one) is recovered too, but the system's
//   record of that pending callback is abandoned with the call and never released: under
//   Wine 8 (x86_64) the thread can no longer create windows after about 65 such faults.
//   Faults in the library's own code, and in window procedures it reaches through
//   SendMessage or that DispatchMessage calls, leave nothing behind.
// - Guarded calls may nest (the library calls back into a window procedure that makes a
//   guarded call of its own); a fault ends the innermost one.
#pragma once

#include "ads/AdLibraryFault.h"

namespace ads {

using GuardedFunction = void (*)(void* argument);

// Runs function(argument). When a hardware fault is raised on this thread while it runs, the
// call is abandoned at that point and AdLibraryFault is thrown once it has been left. A C++
// exception thrown by the function passes through unchanged.
void RunGuarded(GuardedFunction function, void* argument);

// Runs call() under the guard, e.g. CallGuarded([=] { InitScreen(panel, address, colour); }).
template <class Call>
void CallGuarded(Call call) {
  RunGuarded([](void* argument) { (*static_cast<Call*>(argument))(); }, &call);
}

}  // namespace ads
