// A font that deletes itself.
#pragma once

#include <windows.h>

namespace win {

class Font {
 public:
  // A font of `height` (negative: character height in pixels) of the face `faceName`.
  Font(const wchar_t* faceName, int height);
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;
  ~Font();

  HFONT Handle() const { return font_; }

 private:
  HFONT font_;
};

}  // namespace win
