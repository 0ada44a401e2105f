// A push button with a click event.
#pragma once

#include <functional>

#include "win/Control.h"

namespace win {

class Button : public Control {
 public:
  Button(HWND parent, int id, Bounds bounds, std::wstring_view caption);

  std::function<void()> onClick;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCommand(WORD notification) override;
};

}  // namespace win
