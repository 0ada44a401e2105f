// The period field's key filter.
#include "protection/KeyFilter.h"

#include <gtest/gtest.h>

namespace protection {
namespace {

TEST(KeyFilter, KeepsDigitsAndBackspace) {
  for (char16_t key : {u'0', u'1', u'5', u'9', u'\b'}) {
    char16_t filtered = key;
    FilterPeriodKey(filtered);
    EXPECT_EQ(filtered, key) << static_cast<int>(key);
  }
}

TEST(KeyFilter, DiscardsEverythingElseIncludingControlCharacters) {
  for (char16_t key :
       {u'a', u'Z', u'-', u'+', u' ', u'.', u'$', u'/', u':', u'\r', u'\n', u'\t', u'\x1b', u'\x7f',
        u'\x16' /* Ctrl+V */, u'\x03' /* Ctrl+C */, u'１' /* full-width one */, u'周'}) {
    char16_t filtered = key;
    FilterPeriodKey(filtered);
    EXPECT_EQ(filtered, 0) << static_cast<int>(key);
  }
}

}  // namespace
}  // namespace protection
