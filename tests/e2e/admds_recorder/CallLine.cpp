// Formats one call of InitScreen as a line of the recording ad library's log.
#include "CallLine.h"

#include <cinttypes>
#include <cstdio>

namespace recorder {
namespace {

std::string Hex(const void* handle) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%" PRIXPTR, reinterpret_cast<std::uintptr_t>(handle));
  return text;
}

std::string ClassName(HWND window) {
  wchar_t name[256] = {};
  const int length = window != nullptr ? GetClassNameW(window, name, 256) : 0;
  char utf8[768] = {};
  WideCharToMultiByte(CP_UTF8, 0, name, length, utf8, sizeof utf8 - 1, nullptr, nullptr);
  return utf8;
}

// Keeps a value on its field: a tab or line break in it would split the line.
std::string Clean(const char* text) {
  std::string value = text != nullptr ? text : "";
  for (char& c : value) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return value;
}

std::string Flag(bool value) { return value ? "1" : "0"; }

}  // namespace

std::string CallLine(HWND window, const char* address, std::uint32_t colour, bool faulting) {
  const HWND parent = GetAncestor(window, GA_PARENT);
  const HWND root = GetAncestor(window, GA_ROOT);
  RECT rect{};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  char colourText[16];
  std::snprintf(colourText, sizeof colourText, "0x%08" PRIX32, colour);

  std::string line;
  line += "pid=" + std::to_string(GetCurrentProcessId());
  line += "\ttick=" + std::to_string(GetTickCount());
  line += "\thwnd=" + Hex(window);
  line += "\tclass=" + ClassName(window);
  line += "\tparent=" + Hex(parent);
  line += "\tparentClass=" + ClassName(parent);
  line += "\tx=" + std::to_string(rect.left);
  line += "\ty=" + std::to_string(rect.top);
  line += "\twidth=" + std::to_string(width);
  line += "\theight=" + std::to_string(height);
  line += "\tvisible=" + Flag(IsWindowVisible(window));
  line += "\troot=" + Hex(root);
  line += "\trootVisible=" + Flag(root != nullptr && IsWindowVisible(root));
  line += "\taddress=" + Clean(address);
  line += "\tcolour=" + std::string(colourText);
  line += "\tfault=" + Flag(faulting);
  line += "\n";
  return line;
}

}  // namespace recorder
