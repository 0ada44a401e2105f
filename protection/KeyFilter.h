// The period field's key filter: only digits and backspace get in.
#pragma once

namespace protection {

inline constexpr char16_t kBackspace = 8;

// Called with every character typed into the period field before the field sees it; sets
// `key` to 0 for anything but "0".."9" and backspace.
void FilterPeriodKey(char16_t& key);

}  // namespace protection
