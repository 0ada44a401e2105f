// Our stand-in admds.dll, called through the program's binding: one placeholder per panel
// however often it is called, filling the panel, painted in the colour of the latest call.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ads/AdLibrary.h"
#include "ads/admds/Placeholder.h"
#include "ads/tests/TestWindows.h"

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
  return TRUE;
}

// Every descendant of `parent`, not only its direct children.
std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, &CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

SIZE ClientSize(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

// A 32-bit bitmap in a memory DC that a window prints its client area into.
class Canvas {
 public:
  Canvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  COLORREF PixelOf(HWND window, int x, int y) {
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    return GetPixel(dc_, x, y);
  }

 private:
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

constexpr char kAddress[] = "http://ads.example.invalid/0123456789/enter?MDS=ABCDEF";
constexpr std::uint32_t kButtonFace = 0xFF00000F;

// A form-like top-level window with two panels, placed like the program's ad panels.
class Placeholder : public testing::Test {
 protected:
  ads::test::WindowClass class_{L"AdsPlaceholderTestWindow", &DefWindowProcW};
  ads::test::Window form_{class_, WS_OVERLAPPEDWINDOW, 100, 100, 297, 138};
  ads::test::Window bottomPanel_{class_, WS_CHILD | WS_VISIBLE, 1, 74, 279, 25, form_.Handle()};
  ads::test::Window sidePanel_{class_, WS_CHILD | WS_VISIBLE, 140, 25, 135, 45, form_.Handle()};
};

TEST_F(Placeholder, RepeatedCallsLeaveExactlyOnePlaceholderInThePanel) {
  const std::uint32_t colours[] = {kButtonFace, 0x00EBEBEB, kButtonFace, 0x00EBEBEB, 0x000000FF};
  for (std::uint32_t colour : colours) ads::CallInitScreen(bottomPanel_.Handle(), kAddress, colour);
  const std::vector<HWND> children = ChildrenOf(bottomPanel_.Handle());
  ASSERT_EQ(children.size(), 1u);
  EXPECT_EQ(ClassOf(children[0]), admds::kPlaceholderClass);
}

TEST_F(Placeholder, EachPanelGetsItsOwn) {
  ads::CallInitScreen(bottomPanel_.Handle(), kAddress, kButtonFace);
  ads::CallInitScreen(sidePanel_.Handle(), kAddress, kButtonFace);
  ads::CallInitScreen(bottomPanel_.Handle(), kAddress, kButtonFace);
  ASSERT_EQ(ChildrenOf(bottomPanel_.Handle()).size(), 1u);
  ASSERT_EQ(ChildrenOf(sidePanel_.Handle()).size(), 1u);
  EXPECT_NE(ChildrenOf(bottomPanel_.Handle())[0], ChildrenOf(sidePanel_.Handle())[0]);
}

TEST_F(Placeholder, FillsThePanelAndFollowsItsSizeOnTheNextCall) {
  ads::CallInitScreen(sidePanel_.Handle(), kAddress, kButtonFace);
  HWND placeholder = ChildrenOf(sidePanel_.Handle()).at(0);
  EXPECT_TRUE(GetWindowLongPtrW(placeholder, GWL_STYLE) & WS_VISIBLE);
  RECT placed;
  GetWindowRect(placeholder, &placed);
  MapWindowPoints(HWND_DESKTOP, sidePanel_.Handle(), reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, 0);
  EXPECT_EQ(placed.top, 0);
  EXPECT_EQ(ClientSize(placeholder).cx, 135);
  EXPECT_EQ(ClientSize(placeholder).cy, 45);

  SetWindowPos(sidePanel_.Handle(), nullptr, 0, 0, 200, 30, SWP_NOMOVE | SWP_NOZORDER);
  ads::CallInitScreen(sidePanel_.Handle(), kAddress, kButtonFace);
  EXPECT_EQ(ClientSize(placeholder).cx, 200);
  EXPECT_EQ(ClientSize(placeholder).cy, 30);
}

TEST_F(Placeholder, ACallForAWindowThatIsGoneDoesNothing) {
  HWND gone = nullptr;
  {
    ads::test::Window panel{class_, WS_CHILD, 0, 0, 50, 20, form_.Handle()};
    gone = panel.Handle();
  }
  EXPECT_NO_THROW(ads::CallInitScreen(gone, kAddress, kButtonFace));
  EXPECT_NO_THROW(ads::CallInitScreen(nullptr, kAddress, kButtonFace));
  EXPECT_EQ(ChildrenOf(form_.Handle()).size(), 2u);  // the two panels, nothing added
}

struct ColourCase {
  const char* name;
  std::uint32_t value;
  int systemColour;  // the index GetSysColor is asked for, or -1 for a plain colour
  COLORREF plain;
};

const ColourCase kColourCases[] = {
    {"ButtonFaceSystemColour", 0xFF00000F, COLOR_BTNFACE, 0},
    {"WindowSystemColour", 0xFF000005, COLOR_WINDOW, 0},
    {"SkinnedGrey", 0x00EBEBEB, -1, RGB(235, 235, 235)},
    {"PureRed", 0x000000FF, -1, RGB(255, 0, 0)},
    {"BlueGreenRedOrder", 0x00123456, -1, RGB(0x56, 0x34, 0x12)},
};

class PlaceholderColour : public Placeholder, public testing::WithParamInterface<ColourCase> {};

TEST_P(PlaceholderColour, PaintsTheColourOfTheLatestCall) {
  const ColourCase& colour = GetParam();
  const COLORREF expected =
      colour.systemColour >= 0 ? GetSysColor(colour.systemColour) : colour.plain;
  ads::CallInitScreen(bottomPanel_.Handle(), kAddress, 0x00000000);  // black first
  ads::CallInitScreen(bottomPanel_.Handle(), kAddress, colour.value);
  HWND placeholder = ChildrenOf(bottomPanel_.Handle()).at(0);
  Canvas canvas(279, 25);
  // Corners: away from the centred text.
  EXPECT_EQ(canvas.PixelOf(placeholder, 1, 1), expected);
  EXPECT_EQ(canvas.PixelOf(placeholder, 277, 23), expected);
}

INSTANTIATE_TEST_SUITE_P(Colours, PlaceholderColour, testing::ValuesIn(kColourCases),
                         [](const testing::TestParamInfo<ColourCase>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
