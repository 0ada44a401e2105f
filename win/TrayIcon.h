// The program's icon in the notification area: picture, tooltip, context menu, double click.
#pragma once

#include <windows.h>
// After windows.h, which leaves it out under WIN32_LEAN_AND_MEAN.
#include <shellapi.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "win/Window.h"
#include "win/WindowClass.h"

namespace win {

class PopupMenu;

// The message the shell sends to the icon's window for mouse actions on the icon.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

// NOTIFYICONDATAW::szTip holds 128 UTF-16 units, the terminating NUL included.
inline constexpr std::size_t kTrayHintMaxLength = 127;

// The hint as the notification area can hold it: at most kTrayHintMaxLength UTF-16 units,
// never cut between the two halves of a surrogate pair.
std::wstring FitTrayHint(std::wstring_view hint);

// Owns a hidden top-level window that the shell talks to. The icon is added when the object
// is created, added again whenever the taskbar is recreated (a restarted shell has forgotten
// every icon), and removed when the object is destroyed.
//
// Mouse actions on the icon: a right-button press opens the attached PopupMenu at the mouse
// position; a left-button double click calls onDblClick. Single left clicks and the middle
// button do nothing.
class TrayIcon : private Window {
 public:
  // Takes ownership of `icon` and destroys it with DestroyIcon after the icon has left the
  // notification area, so pass one of the program's own (LoadImageW without LR_SHARED). A
  // null icon shows an empty place in the notification area. The hint is cut with FitTrayHint.
  TrayIcon(HICON icon, std::wstring_view hint);
  ~TrayIcon() override;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Whether the shell accepted the icon at the last attempt to show it (at creation or after
  // the taskbar was recreated). When it refused, the next "TaskbarCreated" tries again.
  bool Added() const { return added_; }

  // The menu a right-button press opens; nullptr for none. Not owned: it must outlive this
  // object or be detached first.
  void SetPopupMenu(PopupMenu* menu) { popupMenu_ = menu; }

  // The hidden window the shell sends the icon's messages to; it also owns the open menu.
  using Window::Handle;

  // A left-button double click on the icon.
  std::function<void()> onDblClick;

 private:
  // An icon destroyed with DestroyIcon when this object goes.
  class OwnedIcon {
   public:
    explicit OwnedIcon(HICON icon) : icon_(icon) {}
    ~OwnedIcon();
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;
    HICON Get() const { return icon_; }

   private:
    HICON icon_;
  };

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnIconMouse(UINT mouseMessage);
  void Add();
  // The one description of our icon that every request to the shell uses.
  NOTIFYICONDATAW IconData() const;

  // Declaration order matters: members go in reverse, after the destructor has removed the
  // icon and destroyed the window. So the class is unregistered once no window of ours uses
  // it, and the picture is freed last, after the shell has let go of the icon.
  OwnedIcon icon_;
  std::wstring hint_;
  // Registered by the shell when it creates the taskbar; the same value in every process.
  UINT taskbarCreatedMessage_;
  WindowClass windowClass_;
  bool added_ = false;
  PopupMenu* popupMenu_ = nullptr;
};

}  // namespace win
