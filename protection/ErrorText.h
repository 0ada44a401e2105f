// How an error that leaves an event handler is put before the user.
#pragma once

#include <string>
#include <string_view>

namespace protection {

// The application's title: the taskbar button's text and every error box's title.
inline constexpr std::string_view kApplicationTitle = "反ARP欺骗";

// The error box for an exception message: error icon, one OK button, this text and title.
struct ErrorBox {
  std::string text;
  std::string title;
};

// Appends a full stop when the message is not empty and its last character sorts after "."
// (a letter, a digit or a double-byte character); UTF-8 text.
std::string ErrorBoxText(std::string_view message);

ErrorBox ErrorBoxFor(std::string_view message);

}  // namespace protection
