// A message box of the program under test, read from outside.
#include "harness/MessageBoxView.h"

#include "harness/ScreenImage.h"
#include "harness/WindowQuery.h"

namespace e2e {

std::optional<MessageBoxView> FindMessageBox(DWORD processId) {
  for (HWND window : TopLevelWindows(processId)) {
    if (ClassName(window) != L"#32770" || !IsWindowVisible(window)) continue;
    MessageBoxView box;
    box.window = window;
    box.title = Text(window);
    for (HWND child : Descendants(window)) {
      const std::wstring className = ClassName(child);
      if (className == L"Button") {
        box.buttons.push_back(Text(child));
      } else if (className == L"Static") {
        if ((Style(child) & SS_TYPEMASK) == SS_ICON) {
          box.icon = child;
        } else if (box.text.empty()) {
          box.text = Text(child);
        }
      }
    }
    return box;
  }
  return std::nullopt;
}

std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, milliseconds timeout) {
  std::optional<MessageBoxView> box;
  WaitUntil(
      [&] {
        box = FindMessageBox(processId);
        return box.has_value();
      },
      timeout);
  return box;
}

bool ShowsErrorIcon(const MessageBoxView& box) {
  if (box.icon == nullptr) return false;
  RECT rect{};
  GetWindowRect(box.icon, &rect);
  // A long message makes the box wider than the screen, and centring it puts the icon off
  // the screen, where it has no pixels to judge: drag the box until the icon is in view.
  if (rect.left < 0 || rect.top < 0 || rect.right > GetSystemMetrics(SM_CXSCREEN) ||
      rect.bottom > GetSystemMetrics(SM_CYSCREEN)) {
    RECT boxRect{};
    GetWindowRect(box.window, &boxRect);
    constexpr int kMargin = 8;
    SetWindowPos(box.window, nullptr, boxRect.left - rect.left + kMargin,
                 boxRect.top - rect.top + kMargin, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(box.icon, &rect);
  }
  // The box may still be painting: give the icon a moment to appear.
  return WaitUntil([&] {
    const ScreenImage image = ScreenImage::Capture(rect);
    std::size_t red = 0;
    for (COLORREF pixel : image.Pixels()) {
      if (GetRValue(pixel) > 150 && GetGValue(pixel) < 100 && GetBValue(pixel) < 100) ++red;
    }
    return red * 4 >= image.Pixels().size();
  });
}

void PressOk(const MessageBoxView& box) {
  PostMessageW(GetDlgItem(box.window, IDOK), BM_CLICK, 0, 0);
}

}  // namespace e2e
