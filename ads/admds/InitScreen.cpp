// Our stand-in for the ad-display library admds.dll: its one export, InitScreen.
//
// It fetches nothing and starts nothing (no network, no threads, no files): it shows a quiet
// placeholder in the panel it is given, so the program runs and looks complete without the
// ad service.
#include <windows.h>

#include <cstdint>

#include "ads/admds/Placeholder.h"

extern "C" void WINAPI InitScreen(HWND panel, const char* address, std::uint32_t colour) {
  (void)address;  // names the ad page the service would show; the placeholder shows none
  admds::ShowPlaceholder(panel, colour);
}
