// The mouse as the user moves and clicks it.
#include "tray/Mouse.h"

#include <cstdlib>

namespace e2e {
namespace {

// The pause between the two clicks of a double click; well inside any double-click time.
constexpr DWORD kDoubleClickGapMs = 80;

void Send(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

// Absolute positions are given in 1/65536 of the screen; this is the smallest value that
// the system maps back onto pixel `pixel` (it truncates value * extent / 65536).
LONG Normalised(LONG pixel, int extent) {
  return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
}

}  // namespace

bool Mouse::MoveTo(POINT point) {
  Send(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalised(point.x, GetSystemMetrics(SM_CXSCREEN)),
       Normalised(point.y, GetSystemMetrics(SM_CYSCREEN)));
  POINT now{};
  GetCursorPos(&now);
  return now.x == point.x && now.y == point.y;
}

bool Mouse::Click(MouseButton button, POINT point) {
  KeepApartFromLastClick(button, point);
  if (!MoveTo(point)) return false;
  Press(button);
  Remember(button, point);
  return true;
}

bool Mouse::DoubleClick(MouseButton button, POINT point) {
  KeepApartFromLastClick(button, point);
  if (!MoveTo(point)) return false;
  Press(button);
  Sleep(kDoubleClickGapMs);
  Press(button);
  Remember(button, point);
  return true;
}

void Mouse::Press(MouseButton button) {
  switch (button) {
    case MouseButton::kLeft:
      Send(MOUSEEVENTF_LEFTDOWN);
      Send(MOUSEEVENTF_LEFTUP);
      return;
    case MouseButton::kRight:
      Send(MOUSEEVENTF_RIGHTDOWN);
      Send(MOUSEEVENTF_RIGHTUP);
      return;
    case MouseButton::kMiddle:
      Send(MOUSEEVENTF_MIDDLEDOWN);
      Send(MOUSEEVENTF_MIDDLEUP);
      return;
  }
}

void Mouse::KeepApartFromLastClick(MouseButton button, POINT point) const {
  if (!clicked_ || button != lastButton_) return;
  if (std::abs(point.x - lastPoint_.x) > GetSystemMetrics(SM_CXDOUBLECLK) ||
      std::abs(point.y - lastPoint_.y) > GetSystemMetrics(SM_CYDOUBLECLK)) {
    return;
  }
  // A fixed wait is the point here: a second click sooner would be taken as a double click.
  const auto apart = std::chrono::milliseconds(GetDoubleClickTime() + 100);
  const auto elapsed = std::chrono::steady_clock::now() - lastClick_;
  if (elapsed < apart) {
    Sleep(static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(apart - elapsed).count()));
  }
}

void Mouse::Remember(MouseButton button, POINT point) {
  clicked_ = true;
  lastButton_ = button;
  lastPoint_ = point;
  lastClick_ = std::chrono::steady_clock::now();
}

}  // namespace e2e
