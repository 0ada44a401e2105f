// The error box's text and title.
#include "protection/ErrorText.h"

namespace protection {

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  // The last byte of a UTF-8 multi-byte character is >= 0x80, so comparing bytes as unsigned
  // treats a Chinese character like a letter.
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

ErrorBox ErrorBoxFor(std::string_view message) {
  return {ErrorBoxText(message), std::string(kApplicationTitle)};
}

}  // namespace protection
