// End-to-end: what the period field lets in, and what a click does with a field that does
// not convert: the error box, and nothing else changed.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>

#include "harness/Clock.h"
#include "harness/FlushChecks.h"
#include "harness/MainForm.h"
#include "harness/MessageBoxView.h"
#include "harness/ProgramUnderTest.h"
#include "harness/Text.h"

namespace e2e {
namespace {

// A window of the test's own to own the clipboard: with no owner, SetClipboardData fails.
class ClipboardOwner {
 public:
  ClipboardOwner()
      : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr)) {}
  ClipboardOwner(const ClipboardOwner&) = delete;
  ClipboardOwner& operator=(const ClipboardOwner&) = delete;
  ~ClipboardOwner() { DestroyWindow(window_); }
  HWND Get() const { return window_; }

 private:
  HWND window_;
};

// Puts text on the clipboard, so that a Ctrl+V that got through would paste it.
void SetClipboardText(const std::wstring& text) {
  ClipboardOwner owner;
  ASSERT_TRUE(OpenClipboard(owner.Get()));
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  // The clipboard owns the memory once it accepts it.
  const bool accepted = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (!accepted) GlobalFree(memory);
  CloseClipboard();
  ASSERT_TRUE(accepted) << "cannot put text on the clipboard";
}

struct Typing {
  const char* what;
  const wchar_t* typed;  // the last character is always one that gets in
  const wchar_t* field;  // the field afterwards, typed into an empty field
};

const Typing kTypings[] = {
    {"digits", L"0123456789", L"0123456789"},
    {"letters", L"1aZ2", L"12"},
    {"signs and punctuation", L"1-+.,$2", L"12"},
    {"blank and tab", L"1 \t2", L"12"},
    {"Enter and Escape",
     L"1\r\n\x1b"
     L"2",
     L"12"},
    {"backspace", L"123\b4", L"124"},
    {"Ctrl+V, Ctrl+X, Ctrl+A",
     L"1\x16\x18\x01"
     L"2",
     L"12"},
    {"full-width digit",
     L"1\xFF12"
     L"2",
     L"12"},
};

TEST(PeriodField, LetsOnlyDigitsAndBackspaceIn) {
  ASSERT_NO_FATAL_FAILURE(SetClipboardText(L"99"));
  ProgramUnderTest program;
  MainForm form(program);
  ASSERT_TRUE(form.IsFound());

  for (const Typing& typing : kTypings) {
    SCOPED_TRACE(typing.what);
    form.Paste(L"");
    form.Type(typing.typed);
    // Typed characters are handled in order, so the field reaches this text only once the
    // last one is in, and only when every one before it was treated right.
    EXPECT_TRUE(form.WaitForFieldText(typing.field)) << "field: " << Narrow(form.FieldText());
  }
}

TEST(PeriodField, AcceptsTheLargestPeriod) {
  ProgramUnderTest program;
  MainForm form(program);
  ASSERT_TRUE(form.IsFound());

  form.Paste(L"2147483647");
  form.ClickButton();
  ASSERT_TRUE(form.WaitForButtonCaption(kStartCaption)) << Narrow(form.ButtonCaption());
  form.ClickButton();
  ASSERT_TRUE(form.WaitForButtonCaption(kStopCaption)) << Narrow(form.ButtonCaption());
  EXPECT_FALSE(FindMessageBox(program.ProcessId()).has_value());
  // A period of 24.8 days: no start soon.
  EXPECT_TRUE(FlushesNothingFor(program.Arp(), NowMs(), 3s));
}

struct BadField {
  const char* what;
  bool protectionOn;     // the state before the click
  std::wstring field;    // pasted, so the key filter does not stand in the way
  std::wstring message;  // the error box's text
};

// Names the case in gtest's messages instead of dumping its bytes.
void PrintTo(const BadField& bad, std::ostream* out) { *out << bad.what; }

std::wstring NotAnInteger(const std::wstring& stripped) {
  return L"'" + stripped + L"' is not a valid integer value.";
}

const std::wstring kHundredThousandDigits(100000, L'7');

class BadFieldClick : public ::testing::TestWithParam<BadField> {};

TEST_P(BadFieldClick, ShowsTheConversionErrorAndChangesNothing) {
  const BadField& bad = GetParam();
  ProgramUnderTest program;
  MainForm form(program);
  ASSERT_TRUE(form.IsFound());
  if (!bad.protectionOn) {
    form.ClickButton();
    ASSERT_TRUE(form.WaitForButtonCaption(kStartCaption));
  }
  const std::wstring caption = form.ButtonCaption();

  form.Paste(bad.field);
  ASSERT_EQ(form.FieldText().size(), bad.field.size()) << "the field did not take the paste";
  form.ClickButton();
  const auto box = WaitForMessageBox(program.ProcessId());
  ASSERT_TRUE(box.has_value()) << "no error box";
  EXPECT_EQ(box->title, kApplicationTitle);
  EXPECT_TRUE(box->text == bad.message)
      << "text: " << Narrow(box->text.substr(0, 200)) << " (" << box->text.size() << " chars)";
  EXPECT_EQ(box->buttons.size(), 1u) << "an OK button only";
  EXPECT_NE(GetDlgItem(box->window, IDOK), nullptr);
  EXPECT_TRUE(ShowsErrorIcon(*box));
  EXPECT_FALSE(IsWindowEnabled(form.Window())) << "the main window takes input under the box";

  PressOk(*box);
  ASSERT_TRUE(WaitUntil([&] { return !FindMessageBox(program.ProcessId()).has_value(); }));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(form.Window()) != FALSE; }));
  EXPECT_EQ(form.ButtonCaption(), caption);
  EXPECT_TRUE(form.FieldText() == bad.field) << "the field changed";
  EXPECT_TRUE(program.IsRunning());
}

INSTANTIATE_TEST_SUITE_P(
    PeriodField, BadFieldClick,
    ::testing::Values(
        BadField{"Empty", true, L"", NotAnInteger(L"")},
        BadField{"EmptyWhileOff", false, L"", NotAnInteger(L"")},
        BadField{"OnePastTheLargest", true, L"2147483648", NotAnInteger(L"2147483648")},
        BadField{"HundredThousandDigits", true, kHundredThousandDigits,
                 NotAnInteger(kHundredThousandDigits)},
        BadField{"DigitsAndALetter", true, L"12a", NotAnInteger(L"12a")},
        BadField{"BlanksAroundAreStrippedFromTheMessage", true, L" \t12a ", NotAnInteger(L"12a")}),
    [](const ::testing::TestParamInfo<BadField>& row) { return std::string(row.param.what); });

TEST(PeriodField, FlushGoesOnWhileTheErrorBoxIsOpen) {
  ProgramUnderTest program;
  MainForm form(program);
  ASSERT_TRUE(form.IsFound());

  form.Paste(L"");
  form.ClickButton();
  const auto box = WaitForMessageBox(program.ProcessId());
  ASSERT_TRUE(box.has_value()) << "no error box";
  EXPECT_TRUE(FlushesEvery(program.Arp(), NowMs(), 500, "periodWhileErrorBoxOpen"));
  EXPECT_TRUE(FindMessageBox(program.ProcessId()).has_value()) << "the box closed by itself";
  PressOk(*box);
}

}  // namespace
}  // namespace e2e
