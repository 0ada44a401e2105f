// End-to-end: the main window as it starts (layout, title, focus, placement), how it resists
// resizing, and how the program ends; each instance on its own.
#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "harness/Clock.h"
#include "harness/Figures.h"
#include "harness/FlushChecks.h"
#include "harness/Keyboard.h"
#include "harness/MainForm.h"
#include "harness/ProgramUnderTest.h"
#include "harness/ScreenImage.h"
#include "harness/TestEnvironment.h"
#include "harness/Text.h"
#include "harness/WindowQuery.h"

namespace e2e {
namespace {

struct ControlLayout {
  const wchar_t* name;       // for messages only
  const wchar_t* className;  // null: any class
  const wchar_t* text;
  RECT rect;  // left, top, right, bottom in the main window's client area
};

// Panel1 fills the client area; every other control sits on it at these places.
const ControlLayout kLayout[] = {
    {L"Panel1", nullptr, L"", {0, 0, 281, 100}},
    {L"Label1", nullptr, L"周期：", {8, 10, 8 + 41, 10 + 13}},
    {L"Edit1", L"Edit", L"500", {50, 8, 50 + 41, 8 + 21}},
    {L"Label2", nullptr, L"毫秒", {102, 10, 102 + 41, 10 + 13}},
    {L"Label3", nullptr, L"（反ARP欺骗的时间间隔）", {134, 8, 134 + 155, 8 + 13}},
    {L"Button1", L"Button", L"停止", {32, 37, 32 + 75, 37 + 25}},
    {L"Panel2", nullptr, L"", {1, 74, 1 + 279, 74 + 25}},
    {L"Panel3", nullptr, L"", {140, 25, 140 + 135, 25 + 45}},
};

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ") " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

void SaveScreenshot(HWND window, const wchar_t* name) {
  const std::filesystem::path folder = ArtifactsFolder();
  if (folder.empty()) return;
  RECT rect{};
  GetWindowRect(window, &rect);
  EXPECT_TRUE(ScreenImage::Capture(rect).SaveBmp(folder / name)) << "cannot save the screenshot";
}

TEST(MainWindow, ShowsItsStoredLayoutCentredOnTheScreen) {
  ProgramUnderTest program;
  MainForm form(program);
  ASSERT_TRUE(form.IsFound()) << "no window \"反ARP\" with a button and a field";
  const HWND window = form.Window();
  ReportFigure("windowVisibleAfterLaunch", NowMs() - program.LaunchedAtMs(), "ms");

  const SIZE client = ClientSize(window);
  EXPECT_EQ(client.cx, 281);
  EXPECT_EQ(client.cy, 100);

  const LONG_PTR style = Style(window);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "the window can be maximized";
  EXPECT_TRUE(style & WS_THICKFRAME) << "not the ordinary sizeable border";

  RECT placed{};
  GetWindowRect(window, &placed);
  const int width = placed.right - placed.left;
  const int height = placed.bottom - placed.top;
  EXPECT_NEAR(placed.left, std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2), 1);
  EXPECT_NEAR(placed.top, std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2), 1);

  const std::vector<HWND> controls = Descendants(window);
  for (const ControlLayout& expected : kLayout) {
    SCOPED_TRACE(Narrow(expected.name));
    const auto match = std::find_if(controls.begin(), controls.end(), [&](HWND control) {
      return Text(control) == expected.text && SameRect(RectIn(control, window), expected.rect);
    });
    if (match == controls.end()) {
      std::string seen;
      for (HWND control : controls) {
        seen += "\n  " + Narrow(ClassName(control)) + " \"" + Narrow(Text(control)) + "\" " +
                Describe(RectIn(control, window));
      }
      ADD_FAILURE() << "no control \"" << Narrow(expected.text) << "\" at "
                    << Describe(expected.rect) << "; the window has:" << seen;
      continue;
    }
    if (expected.className != nullptr) {
      EXPECT_EQ(ClassName(*match), expected.className);
    }
    EXPECT_TRUE(IsWindowVisible(*match));
  }
  EXPECT_EQ(Style(form.Field()) & ES_MULTILINE, 0) << "the field must be a single line";

  SaveScreenshot(window, L"main-window.bmp");
}

TEST(MainWindow, StartsWithTheFocusOnTheButton) {
  ProgramUnderTest program;
  MainForm form(program);
  ASSERT_TRUE(form.IsFound());
  EXPECT_TRUE(WaitUntil([&] { return FocusOfThread(form.Window()) == form.Button(); }))
      << "the focus is on " << Narrow(ClassName(FocusOfThread(form.Window())));
}

class KeyOnTheFocusedButton : public ::testing::TestWithParam<WORD> {};

TEST_P(KeyOnTheFocusedButton, ClicksIt) {
  ProgramUnderTest program;
  MainForm form(program);
  ASSERT_TRUE(form.IsFound());
  ASSERT_TRUE(WaitUntil([&] {
    return GetForegroundWindow() == form.Window() && FocusOfThread(form.Window()) == form.Button();
  })) << "the window did not come up active with the focus on its button";

  PressKey(GetParam());
  EXPECT_TRUE(form.WaitForButtonCaption(kStartCaption)) << Narrow(form.ButtonCaption());
}

INSTANTIATE_TEST_SUITE_P(MainWindow, KeyOnTheFocusedButton,
                         ::testing::Values(WORD{VK_RETURN}, WORD{VK_SPACE}),
                         [](const ::testing::TestParamInfo<WORD>& key) {
                           return std::string(key.param == VK_RETURN ? "Enter" : "Space");
                         });

TEST(MainWindow, ReturnsToItsSizeAfterEveryResize) {
  ProgramUnderTest program;
  MainForm form(program);
  ASSERT_TRUE(form.IsFound());
  const SIZE original = WindowSize(form.Window());

  SetWindowPos(form.Window(), nullptr, 0, 0, original.cx + 80, original.cy + 60,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitUntil([&] {
    const SIZE now = WindowSize(form.Window());
    return now.cx == original.cx && now.cy == original.cy;
  })) << "window stayed "
      << WindowSize(form.Window()).cx << "x" << WindowSize(form.Window()).cy;
  EXPECT_EQ(ClientSize(form.Window()).cx, 281);
  EXPECT_EQ(ClientSize(form.Window()).cy, 100);
}

TEST(MainWindow, StartedMaximizedIsShownMaximized) {
  LaunchOptions options;
  options.showCommand = SW_SHOWMAXIMIZED;
  ProgramUnderTest program(options);
  MainForm form(program);
  ASSERT_TRUE(form.IsFound());
  EXPECT_TRUE(IsZoomed(form.Window()));
}

// Wine's taskbar keeps one button per top-level window, shown for the windows that get a
// taskbar entry, as a child of Shell_TrayWnd whose control id is the handle of the window it
// stands for; it refreshes them only when something happens in the notification area.
TEST(MainWindow, TaskbarButtonReadsTheApplicationTitle) {
  ProgramUnderTest program;
  MainForm form(program);
  ASSERT_TRUE(form.IsFound());
  const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  ASSERT_NE(taskbar, nullptr) << "no taskbar: the session has no shell desktop";

  const std::vector<HWND> programWindows = TopLevelWindows(program.ProcessId());
  std::vector<std::wstring> buttons;  // the titles of the windows the buttons stand for
  WaitUntil([&] {
    // Modifying an icon nobody added makes the taskbar refresh its buttons; harmless.
    NOTIFYICONDATAW refresh{};
    refresh.cbSize = sizeof refresh;
    refresh.hWnd = form.Window();
    refresh.uID = 0xE2E;
    Shell_NotifyIconW(NIM_MODIFY, &refresh);
    buttons.clear();
    for (HWND button : Descendants(taskbar)) {
      const auto standsFor = reinterpret_cast<HWND>(GetWindowLongPtrW(button, GWLP_ID));
      if (IsWindowVisible(button) && std::find(programWindows.begin(), programWindows.end(),
                                               standsFor) != programWindows.end()) {
        buttons.push_back(Text(standsFor));
      }
    }
    return !buttons.empty();
  });
  ASSERT_EQ(buttons.size(), 1u) << "the program has " << buttons.size() << " taskbar buttons";
  EXPECT_EQ(buttons.front(), kApplicationTitle);
}

TEST(MainWindow, CloseBoxEndsTheProcess) {
  ProgramUnderTest program;
  MainForm form(program);
  ASSERT_TRUE(form.IsFound());

  // What a click on the close box sends.
  PostMessageW(form.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  const auto exitCode = program.WaitForExit();
  ASSERT_TRUE(exitCode.has_value()) << "still running after the close box";
  EXPECT_EQ(*exitCode, 0u);
}

TEST(MainWindow, SecondInstanceRunsIndependently) {
  ProgramUnderTest first;
  MainForm firstForm(first);
  ASSERT_TRUE(firstForm.IsFound());
  ProgramUnderTest second;
  MainForm secondForm(second);
  ASSERT_TRUE(secondForm.IsFound()) << "the second instance shows no window";
  EXPECT_NE(firstForm.Window(), secondForm.Window());

  const double bothRunning = NowMs();
  EXPECT_TRUE(FlushesEvery(first.Arp(), bothRunning, 500, "periodOfFirstInstance"));
  EXPECT_TRUE(FlushesEvery(second.Arp(), bothRunning, 500, "periodOfSecondInstance"));

  // Stopping and closing the first leaves the second as it was.
  firstForm.ClickButton();
  ASSERT_TRUE(firstForm.WaitForButtonCaption(kStartCaption));
  EXPECT_EQ(secondForm.ButtonCaption(), kStopCaption);
  PostMessageW(firstForm.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(first.WaitForExit().has_value());
  EXPECT_TRUE(second.IsRunning());
  EXPECT_TRUE(FlushesEvery(second.Arp(), NowMs(), 500, "periodAfterFirstInstanceClosed"));
}

}  // namespace
}  // namespace e2e
