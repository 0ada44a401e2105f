// The program's main window as the tests see and drive it.
#include "harness/MainForm.h"

#include "harness/WindowQuery.h"

namespace e2e {

namespace {

HWND DescendantOfClass(HWND parent, std::wstring_view className) {
  for (HWND child : Descendants(parent)) {
    if (_wcsicmp(ClassName(child).c_str(), std::wstring(className).c_str()) == 0) return child;
  }
  return nullptr;
}

}  // namespace

MainForm::MainForm(const ProgramUnderTest& program)
    : window_(program.WaitForVisibleWindow(kMainCaption)) {
  if (window_ == nullptr) return;
  button_ = DescendantOfClass(window_, L"Button");
  field_ = DescendantOfClass(window_, L"Edit");
}

std::wstring MainForm::ButtonCaption() const { return Text(button_); }

std::wstring MainForm::FieldText() const { return Text(field_); }

void MainForm::ClickButton() const { PostMessageW(button_, BM_CLICK, 0, 0); }

void MainForm::Type(std::wstring_view characters) const {
  const auto end = static_cast<WPARAM>(FieldText().size());
  SendToProgram(field_, EM_SETSEL, end, static_cast<LPARAM>(end));
  for (wchar_t c : characters) PostMessageW(field_, WM_CHAR, c, 1);
}

void MainForm::Paste(std::wstring_view text) const {
  const std::wstring copy(text);
  SendToProgram(field_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

bool MainForm::WaitForButtonCaption(std::wstring_view caption, milliseconds timeout) const {
  return WaitUntil([&] { return ButtonCaption() == caption; }, timeout);
}

bool MainForm::WaitForFieldText(std::wstring_view text, milliseconds timeout) const {
  return WaitUntil([&] { return FieldText() == text; }, timeout);
}

}  // namespace e2e
