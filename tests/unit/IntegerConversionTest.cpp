// The period field's integer conversion and blank stripping.
#include "protection/IntegerConversion.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace protection {
namespace {

struct ConversionCase {
  std::string text;
  std::optional<std::int32_t> value;  // nullopt: conversion error quoting the text
};

void PrintTo(const ConversionCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class Conversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(Conversion, GivesValueOrQuotesTheText) {
  const auto& c = GetParam();
  if (c.value) {
    EXPECT_EQ(StrToInt(c.text), *c.value) << "text: " << c.text;
    return;
  }
  try {
    StrToInt(c.text);
    ADD_FAILURE() << "no error for '" << c.text << "'";
  } catch (const ConversionError& e) {
    EXPECT_EQ(std::string(e.what()), "'" + c.text + "' is not a valid integer value");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Conversion,
    ::testing::Values(
        ConversionCase{"", std::nullopt}, ConversionCase{"   ", std::nullopt},
        ConversionCase{"+", std::nullopt}, ConversionCase{"-", std::nullopt},
        ConversionCase{"$", std::nullopt}, ConversionCase{"0x", std::nullopt},
        ConversionCase{"x", std::nullopt}, ConversionCase{"0", 0}, ConversionCase{"000", 0},
        ConversionCase{"-0", 0}, ConversionCase{"+17", 17},
        ConversionCase{"2147483647", 2147483647}, ConversionCase{"2147483648", std::nullopt},
        ConversionCase{"-2147483648", INT32_MIN}, ConversionCase{"-2147483649", std::nullopt},
        ConversionCase{"99999999999", std::nullopt}, ConversionCase{"00000000000000000000500", 500},
        ConversionCase{"$7FFFFFFF", 2147483647}, ConversionCase{"$FFFFFFFF", -1},
        ConversionCase{"-$10", -16}, ConversionCase{"x1F", 31}, ConversionCase{"X1f", 31},
        ConversionCase{"0X7fffffff", 2147483647}, ConversionCase{"0x80000000", INT32_MIN},
        ConversionCase{"-$80000000", INT32_MIN}, ConversionCase{"$100000000", std::nullopt},
        ConversionCase{"$0000000000FF", 255}, ConversionCase{"$G", std::nullopt},
        ConversionCase{"0x-1", std::nullopt}, ConversionCase{"--1", std::nullopt},
        ConversionCase{"+-1", std::nullopt}, ConversionCase{"12a", std::nullopt},
        ConversionCase{"1 2", std::nullopt}, ConversionCase{" 12", std::nullopt},
        ConversionCase{"1.5", std::nullopt}, ConversionCase{"1e3", std::nullopt},
        ConversionCase{"１２", std::nullopt}));

TEST(Conversion, HundredThousandDigitsFailQuotingAllOfThem) {
  const std::string digits(100000, '9');
  try {
    StrToInt(digits);
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_EQ(std::string(e.what()), "'" + digits + "' is not a valid integer value");
  }
}

TEST(StripBlanks, RemovesEverythingBelowCode33FromBothEndsOnly) {
  EXPECT_EQ(StripBlanks(" 750 "), "750");
  EXPECT_EQ(StripBlanks("\t\r\n\x01 12 3\x1f \x7f"), "12 3\x1f \x7f");
  EXPECT_EQ(StripBlanks("   "), "");
  EXPECT_EQ(StripBlanks(""), "");
  // UTF-8 bytes are >= 0x80 and are no blanks, even where a signed char would be negative.
  EXPECT_EQ(StripBlanks(" １２ "), "１２");
}

}  // namespace
}  // namespace protection
