// The mouse as the user moves and clicks it: through the system's input queue, so whatever
// window is under the pointer (the shell's notification area, an open menu, a title bar)
// receives the clicks exactly as from the hardware.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>

namespace e2e {

enum class MouseButton { kLeft, kRight, kMiddle };

class Mouse {
 public:
  void MoveTo(POINT point);
  // Moves there, then presses and releases the button there.
  void Click(MouseButton button, POINT point);
  // Two clicks in quick succession at the point, as the system counts a double click.
  void DoubleClick(MouseButton button, POINT point);

 private:
  void Press(MouseButton button, POINT point);
  // Waits until a click of `button` at `point` can no longer join the previous click of that
  // button into a double click: the system pairs clicks of one button that come within the
  // double-click time and close together, even with clicks of other buttons in between
  // (those may have gone to another window, such as an open menu).
  void KeepApartFromLastClick(MouseButton button, POINT point) const;
  void Remember(MouseButton button, POINT point);

  struct LastClick {
    bool made = false;
    POINT point{};
    std::chrono::steady_clock::time_point when{};
  };
  // One per MouseButton.
  LastClick lastClicks_[3];
};

}  // namespace e2e
