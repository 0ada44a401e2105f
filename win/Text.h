// UTF-8 (the protection logic's texts) to UTF-16 (the W API's texts) and back.
#pragma once

#include <string>
#include <string_view>

namespace win {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace win
