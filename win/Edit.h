// A single-line edit whose typed characters pass a key-press hook first.
#pragma once

#include <functional>

#include "win/Control.h"

namespace win {

class Edit : public Control {
 public:
  Edit(HWND parent, int id, Bounds bounds, std::wstring_view text);

  // Sees every typed character before the field does; setting it to 0 discards it.
  std::function<void(char16_t& key)> onKeyPress;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace win
