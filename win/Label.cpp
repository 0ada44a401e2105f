// A fixed-size, single-line text label.
#include "win/Label.h"

namespace win {

// SS_LEFTNOWORDWRAP keeps the text on one line and clips what does not fit; SS_NOPREFIX
// shows "&" as it is.
Label::Label(HWND parent, int id, Bounds bounds, std::wstring_view text)
    : Control(L"Static", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, text, bounds, parent, id) {}

}  // namespace win
