// Reading another process's windows from outside.
#include "harness/WindowQuery.h"

namespace e2e {

namespace {

struct EnumeratedWindows {
  DWORD processId;
  std::vector<HWND> found;
};

// Enumeration callbacks are named functions, not lambdas: on i686 they must be stdcall.
BOOL CALLBACK CollectOfProcess(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<EnumeratedWindows*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.processId) search.found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectAll(HWND window, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  return TRUE;
}

}  // namespace

bool SendToProgram(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                             static_cast<UINT>(kAnswerTimeout.count()),
                             result != nullptr ? result : &ignored) != 0;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256];
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::wstring Text(HWND window) {
  // A window that does not answer reads as empty: the test then fails on the text.
  DWORD_PTR length = 0;
  if (!SendToProgram(window, WM_GETTEXTLENGTH, 0, 0, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendToProgram(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                     &copied)) {
    return {};
  }
  text.resize(copied);
  return text;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
  EnumeratedWindows search{processId, {}};
  EnumWindows(CollectOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevel(DWORD processId, std::wstring_view caption) {
  for (HWND window : TopLevelWindows(processId)) {
    if (Text(window) == caption) return window;
  }
  return nullptr;
}

HWND FindTopLevelOfClass(DWORD processId, std::wstring_view className) {
  for (HWND window : TopLevelWindows(processId)) {
    if (ClassName(window) == className) return window;
  }
  return nullptr;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, CollectAll, reinterpret_cast<LPARAM>(&found));
  return found;
}

RECT RectIn(HWND window, HWND reference) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

SIZE ClientSize(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

SIZE WindowSize(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

LONG_PTR Style(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

HWND FocusOfThread(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

}  // namespace e2e
