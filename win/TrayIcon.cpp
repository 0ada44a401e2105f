// The program's icon in the notification area: picture, tooltip, context menu, double click.
#include "win/TrayIcon.h"

#include <algorithm>
#include <iterator>

#include "win/Handler.h"
#include "win/PopupMenu.h"

namespace win {
namespace {

// Shared by every TrayIcon of the process; WindowClass registers it once.
constexpr wchar_t kClassName[] = L"arpflush.TrayIcon";

// The shell tells icons apart by window and id; each TrayIcon has a window of its own.
constexpr UINT kIconId = 1;

bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

std::wstring FitTrayHint(std::wstring_view hint) {
  std::size_t length = (std::min)(hint.size(), kTrayHintMaxLength);
  // Keep a surrogate pair whole or drop it whole: half of one shows as a box.
  if (length < hint.size() && length > 0 && IsHighSurrogate(hint[length - 1])) --length;
  return std::wstring(hint.substr(0, length));
}

TrayIcon::OwnedIcon::~OwnedIcon() {
  if (icon_ != nullptr) DestroyIcon(icon_);
}

TrayIcon::TrayIcon(HICON icon, std::wstring_view hint)
    : icon_(icon),
      hint_(FitTrayHint(hint)),
      taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")),
      windowClass_(kClassName, &Window::Procedure) {
  // A top-level window, not a message-only one: the shell announces a new taskbar by
  // broadcasting "TaskbarCreated", and broadcasts reach top-level windows only. It is never
  // shown; WS_EX_TOOLWINDOW keeps it off the taskbar all the same.
  Create(windowClass_, WS_EX_TOOLWINDOW, WS_POPUP, L"", RECT{}, nullptr, nullptr);

  // Deleting ARP entries needs administrator rights, so the program may run elevated; then
  // User Interface Privilege Isolation drops messages from the shell, which runs at a lower
  // level. Let exactly the shell's two messages through. Failure is ignored: it only means
  // there is no isolation to lift.
  ChangeWindowMessageFilterEx(Handle(), kTrayCallbackMessage, MSGFLT_ALLOW, nullptr);
  if (taskbarCreatedMessage_ != 0) {
    ChangeWindowMessageFilterEx(Handle(), taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);
  }

  Add();
}

TrayIcon::~TrayIcon() {
  // 1. Remove the icon while the window it names still exists; otherwise the shell keeps a
  //    dead icon until the mouse passes over it. Asked even when the last add was refused:
  //    a shell that was slow to answer may have taken the icon anyway, and deleting an icon
  //    that is not there is harmless.
  NOTIFYICONDATAW data = IconData();
  Shell_NotifyIconW(NIM_DELETE, &data);
  // 2. Destroy the window now rather than in ~Window: its class is a member of ours and is
  //    unregistered next. Destroy() unbinds first, so no message reaches this half-destroyed
  //    object.
  Destroy();
  // 3. The members then go in reverse declaration order: the window class, the picture.
}

LRESULT TrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayCallbackMessage) {
    // The original notification protocol (we never ask for NIM_SETVERSION): wParam is our
    // icon id, lParam the mouse message.
    const auto mouseMessage = static_cast<UINT>(lParam);
    RunHandler([&] { OnIconMouse(mouseMessage); });
    // Nothing after the handlers touches this object: one of them may have destroyed it.
    return 0;
  }
  if (taskbarCreatedMessage_ != 0 && message == taskbarCreatedMessage_) {
    // A new taskbar (the shell was restarted) knows no icons: show ours again.
    Add();
    return 0;
  }
  if (message == WM_CLOSE) {
    // The window lives exactly as long as this object. A stray WM_CLOSE (a polite kill asks
    // every top-level window to close) must not take the icon's messages away with it.
    return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

void TrayIcon::OnIconMouse(UINT mouseMessage) {
  switch (mouseMessage) {
    case WM_RBUTTONDOWN: {
      if (popupMenu_ == nullptr) return;
      // The original protocol sends no position; the cursor is still over the icon.
      POINT at{};
      GetCursorPos(&at);
      popupMenu_->Popup(Handle(), at);
      return;
    }
    case WM_LBUTTONDBLCLK: {
      // Called through a copy: the handler may destroy this object, and the slot with it.
      const std::function<void()> handler = onDblClick;
      if (handler) handler();
      return;
    }
    default:
      // Single left clicks, button releases, the middle button, mouse moves: nothing. A
      // double click arrives as its own message, so no timer tells it from a single click.
      return;
  }
}

void TrayIcon::Add() {
  NOTIFYICONDATAW data = IconData();
  if (Shell_NotifyIconW(NIM_ADD, &data)) {
    added_ = true;
    return;
  }
  // The shell refuses to add an icon it already has, as after a "TaskbarCreated" that another
  // program broadcast without a restart; the icon is shown then, and this brings it up to date.
  added_ = Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

NOTIFYICONDATAW TrayIcon::IconData() const {
  NOTIFYICONDATAW data{};
  // The whole structure as this build declares it (Windows 7 on); the shell reads only what
  // uFlags names, and NIM_DELETE needs only the window and the id.
  data.cbSize = sizeof(data);
  data.hWnd = Handle();
  data.uID = kIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = icon_.Get();
  // hint_ already fits (FitTrayHint); the zeroed array supplies the terminating NUL.
  hint_.copy(data.szTip, std::size(data.szTip) - 1);
  return data;
}

}  // namespace win
