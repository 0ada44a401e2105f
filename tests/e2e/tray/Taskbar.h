// The taskbar's buttons as a user sees them: which windows have one.
#pragma once

#include <windows.h>

namespace e2e {

// Whether the taskbar shows a button for `window`. Wine lays out its buttons again only when
// a top-level window is created or destroyed or a notification-area request arrives, not
// when a window is merely hidden or shown, so this makes a harmless request first.
bool HasTaskbarButton(HWND window);

}  // namespace e2e
