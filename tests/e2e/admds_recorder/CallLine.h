// One line of the recording ad library's log: what a call of InitScreen was given and the
// state of its window at that moment.
//
// The line is tab-separated key=value fields in this order, ending in a newline (split each
// field at its first '='; values hold no tab or newline):
//   pid=<decimal>  tick=<GetTickCount, decimal ms>
//   hwnd=<0x hex>  class=<class name>  parent=<0x hex>  parentClass=<class name>
//   x=  y=  width=  height=   the window's rectangle in its parent's client coordinates
//   visible=<0|1>             IsWindowVisible of the window
//   root=<0x hex>  rootVisible=<0|1>   its top-level ancestor (GA_ROOT) and whether shown
//   address=<the ANSI address, bytes as given>  colour=<0x 8 hex digits>
//   fault=<0|1>               1 when this call raises an access violation after the line
// Handles are upper-case hexadecimal without padding (0x1005A); class names are UTF-8.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace recorder {

std::string CallLine(HWND window, const char* address, std::uint32_t colour, bool faulting);

}  // namespace recorder
