// A DLL that faults on request, standing in for an ad library that crashes, for the tests of
// the fault guard. Each function is stdcall, like the ad library's.
#pragma once

#include <windows.h>

#include <cstdint>

#if defined(FAULTLIB_BUILDING)
#define FAULTLIB_API __declspec(dllexport)
#else
#define FAULTLIB_API __declspec(dllimport)
#endif

enum FaultKind : int {
  kWriteNull,
  kReadWildAddress,
  kDivideByZero,
  kIllegalInstruction,
};

// The address kReadWildAddress reads: in the first 64 KiB, which Windows never maps.
inline constexpr std::uintptr_t kWildAddress = 0x1230;

extern "C" {

// Returns a + b: a call that does not fault.
FAULTLIB_API int WINAPI FaultLibAdd(int a, int b);

// Raises the fault `kind` at once.
FAULTLIB_API void WINAPI FaultLibRaise(int kind);

// Creates a window of the library's own class whose window procedure raises `kind` while
// handling WM_CREATE, that is, inside CreateWindowExW.
FAULTLIB_API void WINAPI FaultLibRaiseInOwnWindow(int kind);

// Sends `message` to `window` from inside the library and returns the answer.
FAULTLIB_API LRESULT WINAPI FaultLibSend(HWND window, UINT message);
}
