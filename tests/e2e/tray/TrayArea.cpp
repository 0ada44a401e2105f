// The notification area as a user sees it, read from outside.
#include "tray/TrayArea.h"

#include <commctrl.h>
#include <shellapi.h>

#include <stdexcept>

#include "harness/UniqueHandle.h"
#include "harness/WindowQuery.h"

namespace e2e {
namespace {

// Wine's shell paints the icons inside its taskbar window; they are not windows of their
// own. What it does keep per icon is a tooltip window, and that holds the hint and the
// icon's rectangle.
constexpr SIZE_T kTextCapacity = 1024;  // UTF-16 units; a hint holds at most 128

// Memory inside the shell's process. Tooltip messages carry pointers and are not marshalled
// between processes, so the structures they point to must live where the tooltip runs.
class RemoteBlock {
 public:
  RemoteBlock(HANDLE process, SIZE_T size)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
    if (address_ == nullptr) throw std::runtime_error("cannot allocate memory in the shell");
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  ~RemoteBlock() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }

  char* Address() const { return static_cast<char*>(address_); }
  void Write(const void* data, SIZE_T size, SIZE_T offset) const {
    if (!WriteProcessMemory(process_, Address() + offset, data, size, nullptr)) {
      throw std::runtime_error("cannot write into the shell's memory");
    }
  }
  void Read(void* data, SIZE_T size, SIZE_T offset) const {
    if (!ReadProcessMemory(process_, Address() + offset, data, size, nullptr)) {
      throw std::runtime_error("cannot read the shell's memory");
    }
  }

 private:
  HANDLE process_;
  void* address_;
};

// The tool's rectangle on the screen. The shell gives it in the client coordinates of its
// taskbar window; a removed icon keeps its tooltip with an empty rectangle.
RECT ScreenRect(const TTTOOLINFOW& tool) {
  RECT rect = tool.rect;
  if (IsRectEmpty(&rect) || !IsWindow(tool.hwnd)) return RECT{};
  MapWindowPoints(tool.hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Sends a message to one of the shell's windows; throws when the shell does not answer in
// time, so that a hung shell fails the test instead of hanging it.
LRESULT AskShell(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) {
    throw std::runtime_error("the shell does not answer");
  }
  return static_cast<LRESULT>(result);
}

// Reads every tool of one tooltip window through the block (a TTTOOLINFOW followed by room
// for its text).
void ReadTools(HWND tooltip, const RemoteBlock& block, std::vector<TrayIconView>& icons) {
  auto* const remoteText = reinterpret_cast<wchar_t*>(block.Address() + sizeof(TTTOOLINFOW));
  const auto remoteTool = reinterpret_cast<LPARAM>(block.Address());
  const LRESULT count = AskShell(tooltip, TTM_GETTOOLCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = remoteText;
    const wchar_t empty = L'\0';
    block.Write(&tool, sizeof tool, 0);
    block.Write(&empty, sizeof empty, sizeof tool);
    if (!AskShell(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), remoteTool)) continue;
    block.Read(&tool, sizeof tool, 0);
    // Enumerating need not copy the text: ask for it into our buffer.
    tool.lpszText = remoteText;
    block.Write(&tool, sizeof tool, 0);
    AskShell(tooltip, TTM_GETTEXTW, kTextCapacity, remoteTool);
    std::wstring text(kTextCapacity, L'\0');
    block.Read(text.data(), kTextCapacity * sizeof(wchar_t), sizeof tool);
    text.resize(wcsnlen(text.c_str(), kTextCapacity));
    icons.push_back({tooltip, std::move(text), ScreenRect(tool)});
  }
}

}  // namespace

std::vector<TrayIconView> ReadTrayIcons() {
  const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (taskbar == nullptr) throw std::runtime_error("no taskbar: is the desktop named shell?");
  DWORD shellId = 0;
  GetWindowThreadProcessId(taskbar, &shellId);
  const UniqueHandle shell(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, shellId));
  if (!shell) throw std::runtime_error("cannot open the shell's process");
  const RemoteBlock block(shell.Get(), sizeof(TTTOOLINFOW) + kTextCapacity * sizeof(wchar_t));

  std::vector<TrayIconView> icons;
  for (HWND window : TopLevelWindows(shellId)) {
    if (_wcsicmp(ClassName(window).c_str(), TOOLTIPS_CLASSW) == 0) {
      ReadTools(window, block, icons);
    }
  }
  return icons;
}

std::vector<TrayIconView> PresentIcons(std::wstring_view hint) {
  std::vector<TrayIconView> present;
  for (TrayIconView& icon : ReadTrayIcons()) {
    if (icon.Present() && icon.hint == hint) present.push_back(std::move(icon));
  }
  return present;
}

std::optional<TrayIconView> WaitForOneIcon(std::wstring_view hint, milliseconds timeout) {
  std::vector<TrayIconView> present;
  // The shell may not exist yet: the first program of a session starts it.
  WaitUntil(
      [&] {
        present = FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr ? PresentIcons(hint)
                                                                    : std::vector<TrayIconView>{};
        return present.size() == 1;
      },
      timeout);
  if (present.size() != 1) return std::nullopt;
  return present.front();
}

bool WaitForNoIcon(std::wstring_view hint, milliseconds timeout) {
  return WaitUntil([&] { return PresentIcons(hint).empty(); }, timeout);
}

void SilenceHints(const std::vector<TrayIconView>& icons) {
  // TTM_ACTIVATE carries no pointer, so it can be sent from here.
  for (const TrayIconView& icon : icons) AskShell(icon.tooltip, TTM_ACTIVATE, FALSE, 0);
}

bool ForgetIconsOf(HWND owner) {
  // The shell knows an icon by its window and an id of the program's choosing; a small
  // range of ids covers any program with a handful of icons.
  bool forgot = false;
  for (UINT id = 0; id < 16; ++id) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = id;
    if (Shell_NotifyIconW(NIM_DELETE, &data)) forgot = true;
  }
  return forgot;
}

bool BroadcastTaskbarCreated() {
  const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message != 0 && PostMessageW(HWND_BROADCAST, message, 0, 0) != FALSE;
}

}  // namespace e2e
