// A fixed-size, single-line text label, clipped by its parent.
#pragma once

#include "win/Control.h"

namespace win {

class Label : public Control {
 public:
  Label(HWND parent, int id, Bounds bounds, std::wstring_view text);
};

}  // namespace win
