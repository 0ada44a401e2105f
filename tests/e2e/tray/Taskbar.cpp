// The taskbar's buttons as a user sees them.
#include "tray/Taskbar.h"

#include <shellapi.h>

namespace e2e {
namespace {

// A message-only window of ours: its creation is no top-level event, so only the request
// below makes the taskbar look at its buttons again.
class MessageWindow {
 public:
  MessageWindow()
      : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr)) {}
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;
  ~MessageWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
  }
  HWND Get() const { return window_; }

 private:
  HWND window_;
};

void RefreshTaskbar() {
  MessageWindow window;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window.Get();
  data.uID = 1;
  // Refused (there is no such icon), deliberately ignored: the request is what counts.
  Shell_NotifyIconW(NIM_MODIFY, &data);
}

}  // namespace

bool HasTaskbarButton(HWND window) {
  RefreshTaskbar();
  const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (taskbar == nullptr) return false;
  struct Search {
    HWND window;
    bool shown;
  } search{window, false};
  EnumChildWindows(
      taskbar,
      [](HWND child, LPARAM context) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(context);
        // A button stands for the window whose handle is its control id.
        if (GetWindowLongPtrW(child, GWLP_ID) == reinterpret_cast<LONG_PTR>(s.window) &&
            IsWindowVisible(child)) {
          s.shown = true;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.shown;
}

}  // namespace e2e
