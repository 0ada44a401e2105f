// A push button with a click event.
#include "win/Button.h"

#include "win/Handler.h"

namespace win {

Button::Button(HWND parent, int id, Bounds bounds, std::wstring_view caption)
    : Control(L"Button", BS_PUSHBUTTON | WS_TABSTOP, 0, caption, bounds, parent, id) {}

LRESULT Button::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Enter on the focused button clicks it, as Space does. The dialog-key handling of the
  // message loop would otherwise turn Enter into the form's default command, and this
  // button is not a default button.
  if (message == WM_GETDLGCODE && lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
      return PassOn(message, wParam, lParam) | DLGC_WANTMESSAGE;
    }
  }
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    SendMessageW(Handle(), BM_CLICK, 0, 0);
    return 0;
  }
  return PassOn(message, wParam, lParam);
}

void Button::OnCommand(WORD notification) {
  if (notification == BN_CLICKED)
    RunHandler([this] {
      if (onClick) onClick();
    });
}

}  // namespace win
