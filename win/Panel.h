// A panel: a plain container window with a colour and an optional raised outer bevel.
#pragma once

#include <memory>

#include "win/Color.h"
#include "win/Control.h"
#include "win/Window.h"
#include "win/WindowClass.h"

namespace win {

class Panel : public Window {
 public:
  enum class Bevel { kNone, kRaised };

  Panel(HWND parent, int id, Bounds bounds, Bevel bevel);
  ~Panel() override { Destroy(); }

  Color GetColor() const { return color_; }
  void SetColor(Color color);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  WindowClass class_;
  Bevel bevel_;
  Color color_ = kButtonFace;
  std::unique_ptr<ColorBrush> brush_;
};

}  // namespace win
