// Reading another process's windows from outside, as a user's eyes would: which windows it
// has, their classes, texts, places and states.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// How long a message sent to the program may take. Wine's edit field needs seconds for a
// text of 100,000 characters; a program that stopped pumping messages is given up on at once.
inline constexpr std::chrono::milliseconds kAnswerTimeout{60000};

// SendMessageTimeoutW with kAnswerTimeout; false when the program did not answer.
bool SendToProgram(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                   DWORD_PTR* result = nullptr);

std::wstring ClassName(HWND window);
// The text through WM_GETTEXT: controls keep their text themselves, so GetWindowTextW would
// read a stale caption for another process's edit field.
std::wstring Text(HWND window);

std::vector<HWND> TopLevelWindows(DWORD processId);
// A top-level window of the process with this caption (visible or not); null when none.
HWND FindTopLevel(DWORD processId, std::wstring_view caption);
// A top-level window of the process of this window class (visible or not); null when none.
HWND FindTopLevelOfClass(DWORD processId, std::wstring_view className);
// Every window below `parent`, at any depth.
std::vector<HWND> Descendants(HWND parent);

// The window's outer rectangle in the client coordinates of `reference`.
RECT RectIn(HWND window, HWND reference);
SIZE ClientSize(HWND window);
SIZE WindowSize(HWND window);
LONG_PTR Style(HWND window);

// The window that has the keyboard focus in the thread that owns `window`.
HWND FocusOfThread(HWND window);

}  // namespace e2e
