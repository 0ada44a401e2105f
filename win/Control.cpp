// Base of the wrappers around standard controls.
#include "win/Control.h"

#include <commctrl.h>

#include "win/Handler.h"
#include "win/LastError.h"

namespace win {

namespace {
constexpr UINT_PTR kSubclassId = 1;
}  // namespace

bool ReflectCommand(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COMMAND || lParam == 0) return false;  // menus and accelerators: not ours
  SendMessageW(reinterpret_cast<HWND>(lParam), kReflectedCommand, wParam, lParam);
  return true;
}

Control::Control(const wchar_t* className, DWORD style, DWORD exStyle, std::wstring_view text,
                 Bounds bounds, HWND parent, int id)
    : hwnd_(CreateWindowExW(
          exStyle, className, std::wstring(text).c_str(), style | WS_CHILD | WS_VISIBLE,
          bounds.left, bounds.top, bounds.width, bounds.height, parent,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr)) {
  if (!hwnd_) {
    ThrowLastError("CreateWindowExW");
  }
  SendMessageW(hwnd_, WM_SETFONT, static_cast<WPARAM>(SendMessageW(parent, WM_GETFONT, 0, 0)),
               FALSE);
  SetWindowSubclass(hwnd_, SubclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

Control::~Control() {
  // Remove the subclass first: the window may outlive this object by a few messages.
  RemoveWindowSubclass(hwnd_, SubclassProcedure, kSubclassId);
  DestroyWindow(hwnd_);
}

std::wstring Control::Text() const {
  const int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

void Control::SetText(std::wstring_view text) { SetWindowTextW(hwnd_, std::wstring(text).c_str()); }

LRESULT Control::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return PassOn(message, wParam, lParam);
}

void Control::OnCommand(WORD) {}

LRESULT Control::PassOn(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Control::SubclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR self) {
  auto* control = reinterpret_cast<Control*>(self);
  try {
    if (message == kReflectedCommand) {
      control->OnCommand(HIWORD(wParam));
      return 0;
    }
    return control->HandleMessage(message, wParam, lParam);
  } catch (...) {
    ShowCurrentException();
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
}

}  // namespace win
