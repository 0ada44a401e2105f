// A single-line edit with a key-press hook.
#include "win/Edit.h"

#include "win/Handler.h"

namespace win {

Edit::Edit(HWND parent, int id, Bounds bounds, std::wstring_view text)
    : Control(L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, text, bounds, parent, id) {
  // The field has no length limit (the edit control's default is 30,000 characters).
  SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0);
}

LRESULT Edit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && onKeyPress) {
    auto key = static_cast<char16_t>(wParam);
    bool failed = true;
    RunHandler([&] {
      onKeyPress(key);
      failed = false;
    });
    // A hook that failed lets nothing in either.
    if (failed || key == 0) return 0;
    wParam = key;
  }
  return PassOn(message, wParam, lParam);
}

}  // namespace win
