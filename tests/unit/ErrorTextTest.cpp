// The error box's text and title.
#include "protection/ErrorText.h"

#include <gtest/gtest.h>

namespace protection {
namespace {

TEST(ErrorBoxText, AppendsFullStopOnlyAfterCharactersSortingAfterDot) {
  struct Case {
    const char* message;
    const char* text;
  };
  const Case cases[] = {
      {"abc", "abc."},
      {"value 7", "value 7."},
      {"'x' is not a valid integer value", "'x' is not a valid integer value."},
      {"定时器不够", "定时器不够."},
      {"already.", "already."},
      {"stop!", "stop!"},
      {"quote'", "quote'"},
      {"path/", "path/."},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.message), c.text) << c.message;
}

TEST(ErrorBoxText, BoxIsTitledWithTheApplicationTitle) {
  const auto box = ErrorBoxFor("Not enough timers available");
  EXPECT_EQ(box.title, "反ARP欺骗");
  EXPECT_EQ(box.text, "Not enough timers available.");
}

}  // namespace
}  // namespace protection
