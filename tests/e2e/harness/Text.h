// UTF-8 and UTF-16 conversion for the tests' records and messages.
#pragma once

#include <string>
#include <string_view>

namespace e2e {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace e2e
