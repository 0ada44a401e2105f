// The binding to the ad-display library admds.dll: its one function, InitScreen.
//
// admds.dll is bound when the program is loaded (an ordinary import through the import
// library built from admds.def.in, not LoadLibrary), so the program does not start without
// it. InitScreen is imported by its plain name: on i686 the compiler refers to the stdcall
// symbol _InitScreen@12, and the import library maps that to the undecorated export.
#pragma once

#include <windows.h>

#include <cstdint>

// Hands `panel` to the library, which shows the ad page at `address` (a zero-terminated ANSI
// string) in it over the background `colour` (0x00BBGGRR, or 0xFF000000 plus a system colour
// index). The library removes the arguments itself (WINAPI); its result is not read.
// Call it through ads::CallInitScreen, which guards the call.
extern "C" __declspec(dllimport) void WINAPI
    InitScreen(HWND panel, const char* address, std::uint32_t colour);

namespace ads {

// InitScreen under the fault guard: a hardware fault inside the library abandons the call
// and is raised as AdLibraryFault. A failure the library merely reports goes unnoticed.
void CallInitScreen(HWND panel, const char* address, std::uint32_t colour);

}  // namespace ads
