// The main form's stored layout: every rectangle, text and setting, as fixed values.
#pragma once

#include <windows.h>

#include <cstdint>

#include "win/Control.h"

namespace ui::layout {

inline constexpr wchar_t kFormClass[] = L"TForm1";
inline constexpr wchar_t kFormCaption[] = L"反ARP";
inline constexpr SIZE kClientSize{281, 100};

// Control ids, so that a window can be found by GetDlgItem.
enum ControlId : int {
  kPanel1Id = 100,
  kButton1Id,
  kEdit1Id,
  kLabel1Id,
  kLabel2Id,
  kLabel3Id,
  kPanel2Id,
  kPanel3Id,
};

// Panel1 sits on the form; every other control sits on Panel1.
inline constexpr win::Bounds kPanel1{0, 0, 281, 100};
inline constexpr win::Bounds kButton1{32, 37, 75, 25};
inline constexpr win::Bounds kEdit1{50, 8, 41, 21};
inline constexpr win::Bounds kLabel1{8, 10, 41, 13};
inline constexpr win::Bounds kLabel2{102, 10, 41, 13};
// Reaches past Panel1's right edge and is clipped there.
inline constexpr win::Bounds kLabel3{134, 8, 155, 13};
// Along the bottom of Panel1, inside its bevel.
inline constexpr win::Bounds kPanel2{1, 74, 279, 25};
inline constexpr win::Bounds kPanel3{140, 25, 135, 45};

inline constexpr wchar_t kButton1Caption[] = L"停止";
inline constexpr wchar_t kEdit1Text[] = L"500";
inline constexpr wchar_t kLabel1Text[] = L"周期：";
inline constexpr wchar_t kLabel2Text[] = L"毫秒";
inline constexpr wchar_t kLabel3Text[] = L"（反ARP欺骗的时间间隔）";

inline constexpr std::uint32_t kTimer1Interval = 500;

// The skin stored with the form: its button-face colour is red, green and blue 235.
inline constexpr std::uint32_t kSkinButtonFace = 0x00EBEBEB;

// The ad pages shown in Panel2 and Panel3: same host and path code, different placements.
// ANSI strings, as the ad library takes them.
inline constexpr char kPanel2AdAddress[] =
    "http://ads.example.com/A4C123B161/enter?MDS=2DD272D1371C17149D439536B3216FDAEEB975729FAE923D";
inline constexpr char kPanel3AdAddress[] =
    "http://ads.example.com/A4C123B161/enter?MDS="
    "5A4FD12AABFE228F219E9CB0EB53F16947CCF25EC84D8DBC74254770F58904DB";

inline constexpr wchar_t kTrayHint[] = L"反ARP欺骗1.1版";
inline constexpr wchar_t kArp1Caption[] = L"开始反ARP欺骗";
inline constexpr wchar_t kArp2Caption[] = L"停止反ARP欺骗";
inline constexpr wchar_t kN1Caption[] = L"退出";

}  // namespace ui::layout
