// The program's icon in the notification area: picture, tooltip, context menu, double click.
#pragma once

#include <windows.h>
// After windows.h, which leaves it out under WIN32_LEAN_AND_MEAN.
#include <shellapi.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

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
class TrayIcon {
 public:
  // Takes ownership of `icon` and destroys it with DestroyIcon after the icon has left the
  // notification area, so pass one of the program's own (LoadImageW without LR_SHARED). A
  // null icon shows an empty place in the notification area. The hint is cut with FitTrayHint.
  TrayIcon(HICON icon, std::wstring_view hint);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Whether the shell accepted the icon at the last attempt to show it (at creation or after
  // the taskbar was recreated). When it refused, the next "TaskbarCreated" tries again.
  bool Added() const { return added_; }

  // The menu a right-button press opens; nullptr for none. Not owned: it must outlive this
  // object or be detached first.
  void SetPopupMenu(PopupMenu* menu) { popupMenu_ = menu; }

  // The hidden window the shell sends the icon's messages to; it also owns the open menu.
  HWND Handle() const { return window_.Get(); }

  // A left-button double click on the icon.
  std::function<void()> onDblClick;

 private:
  // Registers the hidden window's class; unregisters it when destroyed.
  class WindowClass {
   public:
    WindowClass(std::wstring name, WNDPROC windowProc);
    ~WindowClass();
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;
    const wchar_t* Name() const { return name_.c_str(); }

   private:
    std::wstring name_;
  };

  // A window destroyed with DestroyWindow when this object goes.
  class OwnedWindow {
   public:
    OwnedWindow() = default;
    ~OwnedWindow();
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;
    void Reset(HWND window);
    HWND Get() const { return window_; }

   private:
    HWND window_ = nullptr;
  };

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

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnIconMouse(UINT mouseMessage);
  void Add();
  // The one description of our icon that every request to the shell uses.
  NOTIFYICONDATAW IconData() const;

  // Declaration order is destruction order reversed, and it matters: the window must be gone
  // before its class is unregistered, and the picture is freed last, after the shell has let
  // go of the icon.
  OwnedIcon icon_;
  std::wstring hint_;
  // Registered by the shell when it creates the taskbar; the same value in every process.
  UINT taskbarCreatedMessage_;
  WindowClass windowClass_;
  OwnedWindow window_;
  bool added_ = false;
  PopupMenu* popupMenu_ = nullptr;
};

}  // namespace win
