// Colour values as the form layout stores them, and the brush that paints one.
#pragma once

#include <windows.h>

#include <cstdint>

namespace win {

// 0x00BBGGRR for a plain colour; 0xFF000000 plus the index for a system colour.
using Color = std::uint32_t;
inline constexpr Color kSystemColorFlag = 0xFF000000u;
inline constexpr Color kButtonFace = kSystemColorFlag | COLOR_BTNFACE;

COLORREF ToColorRef(Color color);

// A brush for a colour: the system's shared brush for a system colour (never deleted), an
// owned solid brush for a plain one.
class ColorBrush {
 public:
  explicit ColorBrush(Color color);
  ColorBrush(const ColorBrush&) = delete;
  ColorBrush& operator=(const ColorBrush&) = delete;
  ~ColorBrush();

  HBRUSH Handle() const { return brush_; }

 private:
  HBRUSH brush_;
  bool owned_;
};

}  // namespace win
