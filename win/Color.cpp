// Colour values and their brushes.
#include "win/Color.h"

namespace win {

namespace {
bool IsSystemColor(Color color) { return (color & 0xFF000000u) == kSystemColorFlag; }
}  // namespace

COLORREF ToColorRef(Color color) {
  if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFFu));
  return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

ColorBrush::ColorBrush(Color color)
    : brush_(IsSystemColor(color) ? GetSysColorBrush(static_cast<int>(color & 0xFFu))
                                  : CreateSolidBrush(ToColorRef(color))),
      owned_(!IsSystemColor(color)) {}

ColorBrush::~ColorBrush() {
  if (owned_ && brush_) DeleteObject(brush_);
}

}  // namespace win
