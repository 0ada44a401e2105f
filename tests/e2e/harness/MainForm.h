// The program's main window as the tests see and drive it: found by its caption, its start/
// stop button and period field found by their classes, acted on with the messages a user's
// clicks and keys produce.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "harness/ProgramUnderTest.h"
#include "harness/Wait.h"

namespace e2e {

inline constexpr std::wstring_view kMainCaption = L"反ARP";
inline constexpr std::wstring_view kApplicationTitle = L"反ARP欺骗";
inline constexpr std::wstring_view kStopCaption = L"停止";
inline constexpr std::wstring_view kStartCaption = L"开始";

class MainForm {
 public:
  // Waits for the program's visible main window; check IsFound() before use.
  explicit MainForm(const ProgramUnderTest& program);

  bool IsFound() const { return window_ != nullptr && button_ != nullptr && field_ != nullptr; }
  HWND Window() const { return window_; }
  HWND Button() const { return button_; }
  HWND Field() const { return field_; }

  std::wstring ButtonCaption() const;
  std::wstring FieldText() const;

  // Posted, not sent: a click that ends in an error box must not block the test.
  void ClickButton() const;
  // Puts the caret at the end of the field, as a click behind its text does, then posts each
  // character as the WM_CHAR that typing its key produces.
  void Type(std::wstring_view characters) const;
  // Replaces the field's text the way pasting over a selection does, bypassing the key filter.
  void Paste(std::wstring_view text) const;

  bool WaitForButtonCaption(std::wstring_view caption,
                            milliseconds timeout = kReactionTimeout) const;
  bool WaitForFieldText(std::wstring_view text, milliseconds timeout = kReactionTimeout) const;

 private:
  HWND window_ = nullptr;
  HWND button_ = nullptr;
  HWND field_ = nullptr;
};

}  // namespace e2e
