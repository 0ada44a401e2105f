// The mouse as the user moves and clicks it.
#include "tray/Mouse.h"

#include <cstdlib>

namespace e2e {
namespace {

// The pause between the two clicks of a double click; well inside any double-click time.
constexpr DWORD kDoubleClickGapMs = 80;

// Absolute positions are given in 1/65536 of the screen; this is the smallest value that
// the system maps back onto pixel `pixel` (it truncates value * extent / 65536).
LONG Normalised(LONG pixel, int extent) {
  return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
}

// One event at an absolute screen point, so that it happens exactly there.
void SendAt(POINT point, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = Normalised(point.x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = Normalised(point.y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
  SendInput(1, &input, sizeof input);
}

struct ButtonFlags {
  DWORD down;
  DWORD up;
};

ButtonFlags FlagsOf(MouseButton button) {
  switch (button) {
    case MouseButton::kRight:
      return {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP};
    case MouseButton::kMiddle:
      return {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP};
    case MouseButton::kLeft:
      break;
  }
  return {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
}

}  // namespace

void Mouse::MoveTo(POINT point) { SendAt(point, 0); }

void Mouse::Click(MouseButton button, POINT point) {
  KeepApartFromLastClick(button, point);
  // First the move alone, as a hand moves before it clicks: the window under the pointer
  // learns that the mouse is over it.
  MoveTo(point);
  Press(button, point);
  Remember(button, point);
}

void Mouse::DoubleClick(MouseButton button, POINT point) {
  KeepApartFromLastClick(button, point);
  MoveTo(point);
  Press(button, point);
  Sleep(kDoubleClickGapMs);
  Press(button, point);
  Remember(button, point);
}

void Mouse::Press(MouseButton button, POINT point) {
  // The point goes with each event. While a menu is open Wine refuses to move the display's
  // own pointer, and a few milliseconds later sets the pointer back to where the display has
  // it; an event without a position could happen there.
  const ButtonFlags flags = FlagsOf(button);
  SendAt(point, flags.down);
  SendAt(point, flags.up);
}

void Mouse::KeepApartFromLastClick(MouseButton button, POINT point) const {
  const LastClick& last = lastClicks_[static_cast<std::size_t>(button)];
  if (!last.made) return;
  if (std::abs(point.x - last.point.x) > GetSystemMetrics(SM_CXDOUBLECLK) ||
      std::abs(point.y - last.point.y) > GetSystemMetrics(SM_CYDOUBLECLK)) {
    return;
  }
  // A fixed wait is the point here: a second click sooner would be taken as a double click.
  const auto apart = std::chrono::milliseconds(GetDoubleClickTime() + 100);
  const auto elapsed = std::chrono::steady_clock::now() - last.when;
  if (elapsed < apart) {
    Sleep(static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(apart - elapsed).count()));
  }
}

void Mouse::Remember(MouseButton button, POINT point) {
  lastClicks_[static_cast<std::size_t>(button)] = {true, point, std::chrono::steady_clock::now()};
}

}  // namespace e2e
