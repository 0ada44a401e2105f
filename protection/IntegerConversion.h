// Text-to-integer conversion for the period field, and the blank stripping before it.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace protection {

// Raised when a text is not an integer; the message quotes the text.
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(std::string_view text);
};

// Removes every character below code 33 (blanks and control characters) from both ends.
std::string_view StripBlanks(std::string_view text);

// Converts an optional sign followed by decimal digits in the signed 32-bit range, or by a
// hexadecimal prefix ("$", "x", "X", "0x", "0X") and hex digits whose value fits in 32 bits,
// taken as a bit pattern. Anything else raises ConversionError quoting `text`.
std::int32_t StrToInt(std::string_view text);

}  // namespace protection
