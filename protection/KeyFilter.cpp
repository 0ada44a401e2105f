// The period field's key filter.
#include "protection/KeyFilter.h"

namespace protection {

void FilterPeriodKey(char16_t& key) {
  const bool digit = key >= u'0' && key <= u'9';
  if (!digit && key != kBackspace) key = 0;
}

}  // namespace protection
