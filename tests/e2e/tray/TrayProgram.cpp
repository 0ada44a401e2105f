// One run of the program as the tray tests need it.
#include "tray/TrayProgram.h"

#include "harness/Clock.h"
#include "harness/WindowQuery.h"
#include "tray/TrayArea.h"

namespace e2e {
namespace {

LaunchOptions Options(WORD showCommand) {
  LaunchOptions options;
  options.showCommand = showCommand;
  // The recording library replaces the shipped admds.dll when the test run provides one.
  const std::filesystem::path recorder = AdRecorderPath();
  if (!recorder.empty()) options.extraFiles = {recorder};
  return options;
}

}  // namespace

std::vector<MenuItemLook> MenuWhenOn() {
  return {{L"开始反ARP欺骗", false}, {L"停止反ARP欺骗", true}, {L"退出", true}};
}

std::vector<MenuItemLook> MenuWhenOff() {
  return {{L"开始反ARP欺骗", true}, {L"停止反ARP欺骗", false}, {L"退出", true}};
}

TrayProgram::TrayProgram(WORD showCommand) : program_(Options(showCommand)) {}

bool TrayProgram::WaitForWindows(milliseconds timeout) {
  const DWORD id = program_.ProcessId();
  return WaitUntil(
      [&] {
        application_ = FindTopLevelOfClass(id, L"ArpflushApplication");
        form_ = FindTopLevelOfClass(id, L"TForm1");
        trayWindow_ = FindTopLevelOfClass(id, L"arpflush.TrayIcon");
        return application_ != nullptr && form_ != nullptr && trayWindow_ != nullptr;
      },
      timeout);
}

::testing::AssertionResult TrayProgram::WaitUntilShown() {
  if (!WaitForOneIcon(kTrayHint, kIconTimeout)) {
    return ::testing::AssertionFailure() << "no icon with the hint \"反ARP欺骗1.1版\"";
  }
  if (!WaitForWindows()) {
    return ::testing::AssertionFailure() << "missing windows: application " << application_
                                         << ", form " << form_ << ", icon window " << trayWindow_;
  }
  if (auto shown = WaitForWindowShown(); !shown) return shown << " at start";
  if (!WaitUntil([&] { return ads_.Calls().size() == 2; })) {
    return ::testing::AssertionFailure() << "the first showing made " << ads_.Calls().size()
                                         << " calls into the ad library, not 2";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult TrayProgram::WaitForWindowShown(milliseconds timeout) const {
  if (WaitUntil([&] { return IsWindowVisible(form_) && IsWindowVisible(application_); }, timeout)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "not shown: form visible " << IsWindowVisible(form_) << ", application window visible "
         << IsWindowVisible(application_);
}

::testing::AssertionResult TrayProgram::WaitForWindowHidden(milliseconds timeout) const {
  if (WaitUntil([&] { return !IsWindowVisible(form_) && !IsWindowVisible(application_); },
                timeout)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "not hidden: form visible " << IsWindowVisible(form_) << ", application window visible "
         << IsWindowVisible(application_);
}

bool TrayProgram::StaysHidden(milliseconds duration) const {
  bool shown = false;
  const double until = NowMs() + static_cast<double>(duration.count());
  WaitUntil(
      [&] {
        shown = shown || IsWindowVisible(form_) || IsWindowVisible(application_);
        return NowMs() >= until;
      },
      duration + 1s);
  return !shown;
}

}  // namespace e2e
