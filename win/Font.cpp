// A font that deletes itself.
#include "win/Font.h"

namespace win {

Font::Font(const wchar_t* faceName, int height)
    : font_(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, faceName)) {}

Font::~Font() {
  if (font_) DeleteObject(font_);
}

}  // namespace win
