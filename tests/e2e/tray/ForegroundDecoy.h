// A plain window of the test's own, put in the foreground over the program's window, so a
// test can see the program bring its window back to the front.
#pragma once

#include <windows.h>

namespace e2e {

class ForegroundDecoy {
 public:
  // Covers `rect` (screen coordinates) and takes the foreground.
  explicit ForegroundDecoy(const RECT& rect);
  ForegroundDecoy(const ForegroundDecoy&) = delete;
  ForegroundDecoy& operator=(const ForegroundDecoy&) = delete;
  ~ForegroundDecoy();

  HWND Window() const { return window_; }
  // Handles the messages other processes send it: when the program takes the foreground,
  // the system asks this window to deactivate and waits for the answer.
  void Pump() const;

 private:
  HWND window_ = nullptr;
};

}  // namespace e2e
