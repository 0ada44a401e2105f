// Text-to-integer conversion for the period field.
#include "protection/IntegerConversion.h"

#include <optional>

namespace protection {

ConversionError::ConversionError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' is not a valid integer value") {}

std::string_view StripBlanks(std::string_view text) {
  // Compare as unsigned: the bytes of UTF-8 multi-byte characters are >= 0x80 and must stay.
  auto isBlank = [](char c) { return static_cast<unsigned char>(c) < 33; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

namespace {

std::optional<unsigned> DigitValue(char c, unsigned base) {
  unsigned value = 0;
  if (c >= '0' && c <= '9') {
    value = static_cast<unsigned>(c - '0');
  } else if (c >= 'a' && c <= 'f') {
    value = static_cast<unsigned>(c - 'a' + 10);
  } else if (c >= 'A' && c <= 'F') {
    value = static_cast<unsigned>(c - 'A' + 10);
  } else {
    return std::nullopt;
  }
  if (value >= base) return std::nullopt;
  return value;
}

// Accumulates digits of `base` into a magnitude; fails on an empty run, a non-digit or once
// the magnitude passes `limit`.
std::optional<std::uint64_t> ParseMagnitude(std::string_view digits, unsigned base,
                                            std::uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t magnitude = 0;
  for (char c : digits) {
    auto digit = DigitValue(c, base);
    if (!digit) return std::nullopt;
    magnitude = magnitude * base + *digit;
    if (magnitude > limit) return std::nullopt;
  }
  return magnitude;
}

std::optional<std::int32_t> Parse(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }

  std::size_t hexPrefix = 0;
  if (!text.empty() && (text.front() == '$' || text.front() == 'x' || text.front() == 'X')) {
    hexPrefix = 1;
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hexPrefix = 2;
  }

  if (hexPrefix != 0) {
    // Hex is a 32-bit pattern: $FFFFFFFF is -1, and a sign in front negates the pattern.
    auto bits = ParseMagnitude(text.substr(hexPrefix), 16, 0xFFFFFFFFu);
    if (!bits) return std::nullopt;
    auto value = static_cast<std::uint32_t>(*bits);
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
  }

  // Decimal: both ends of the signed 32-bit range are allowed.
  const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
  auto magnitude = ParseMagnitude(text, 10, limit);
  if (!magnitude) return std::nullopt;
  const auto asSigned = static_cast<std::int64_t>(*magnitude);
  return static_cast<std::int32_t>(negative ? -asSigned : asSigned);
}

}  // namespace

std::int32_t StrToInt(std::string_view text) {
  if (auto value = Parse(text)) return *value;
  throw ConversionError(text);
}

}  // namespace protection
