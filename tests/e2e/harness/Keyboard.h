// Keys pressed as the user presses them: through the system's input queue to whichever
// window has the focus, so the program's own message loop and TranslateMessage see them.
#pragma once

#include <windows.h>

namespace e2e {

void PressKey(WORD virtualKey);

}  // namespace e2e
