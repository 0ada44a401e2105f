// Our stand-in ad library's one visible effect: a quiet placeholder filling an ad panel.
#pragma once

#include <windows.h>

#include <cstdint>

namespace admds {

// The window class of the placeholder; each panel holds at most one child of this class,
// which is how a later call finds it again.
inline constexpr wchar_t kPlaceholderClass[] = L"ArpflushAdPlaceholder";

// The colour encoding of the ad library's callers: 0x00BBGGRR for a plain colour, or
// 0xFF000000 plus a system colour index (the button face is 0xFF00000F).
COLORREF ResolveColour(std::uint32_t colour) noexcept;

// Shows the placeholder in `panel` over `colour`, sized to the panel's client area: creates it
// on the first call for a panel, recolours and resizes it on every later one. Does nothing
// when `panel` is not a window.
void ShowPlaceholder(HWND panel, std::uint32_t colour) noexcept;

}  // namespace admds
