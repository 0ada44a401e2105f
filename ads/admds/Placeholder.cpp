// The placeholder window: its class, painting and the one-per-panel rule.
#include "ads/admds/Placeholder.h"

namespace admds {
namespace {

// The placeholder keeps its colour value in its window's extra bytes, read at every paint so
// that a system colour follows the system.
constexpr int kColourSlot = 0;
constexpr wchar_t kPlaceholderText[] = L"广告位";  // "ad space"
constexpr COLORREF kTextColour = RGB(128, 128, 128);

// A brush made for one paint, deleted when the paint is done.
class SolidBrush {
 public:
  explicit SolidBrush(COLORREF colour) : brush_(CreateSolidBrush(colour)) {}
  SolidBrush(const SolidBrush&) = delete;
  SolidBrush& operator=(const SolidBrush&) = delete;
  ~SolidBrush() {
    if (brush_ != nullptr) DeleteObject(brush_);
  }
  HBRUSH Get() const { return brush_; }

 private:
  HBRUSH brush_;
};

// Selects a GDI object into a device context and puts the previous one back afterwards, so
// the context is handed back as it came.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

std::uint32_t StoredColour(HWND placeholder) {
  return static_cast<std::uint32_t>(GetWindowLongPtrW(placeholder, kColourSlot));
}

void Paint(HWND placeholder, HDC dc) {
  RECT area;
  GetClientRect(placeholder, &area);
  // A failed brush (GDI exhausted) is deliberately ignored: FillRect then draws nothing.
  const SolidBrush background(ResolveColour(StoredColour(placeholder)));
  FillRect(dc, &area, background.Get());
  const SelectedObject font(dc, GetStockObject(DEFAULT_GUI_FONT));  // stock: never deleted
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kTextColour);
  DrawTextW(dc, kPlaceholderText, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT CALLBACK PlaceholderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      const auto* colour = static_cast<const std::uint32_t*>(create->lpCreateParams);
      SetWindowLongPtrW(window, kColourSlot, static_cast<LONG_PTR>(*colour));
      break;
    }
    case WM_NCHITTEST:
      // Clicks pass through to the panel, as if the placeholder were not there.
      return HTTRANSPARENT;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills every pixel; erasing first would only flicker
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (HDC dc = BeginPaint(window, &paint)) {
        Paint(window, dc);
        EndPaint(window, &paint);
      }
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(window, reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// This DLL's module handle, the owner of its window class, found from an address inside it
// rather than kept from DllMain.
HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&PlaceholderProc), &module);
  return module;
}

// Registers the class on first use. It stays registered until the process ends: the library
// is bound at load time and never unloaded earlier.
bool RegisterPlaceholderClass(HINSTANCE module) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(module, kPlaceholderClass, &existing)) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;  // the text is centred: repaint all on resize
  windowClass.lpfnWndProc = &PlaceholderProc;
  windowClass.cbWndExtra = sizeof(LONG_PTR);
  windowClass.hInstance = module;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kPlaceholderClass;
  return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

COLORREF ResolveColour(std::uint32_t colour) noexcept {
  constexpr std::uint32_t kSystemColourFlag = 0xFF000000;
  if ((colour & kSystemColourFlag) == kSystemColourFlag) {
    return GetSysColor(static_cast<int>(colour & 0xFF));
  }
  return colour & 0x00FFFFFF;
}

void ShowPlaceholder(HWND panel, std::uint32_t colour) noexcept {
  if (!IsWindow(panel)) return;
  const HINSTANCE module = ThisModule();
  // Failures below (no class, no window) are deliberately ignored: a library that cannot show
  // an ad leaves the panel as it is, and its caller reads no result.
  if (!RegisterPlaceholderClass(module)) return;
  RECT client;
  GetClientRect(panel, &client);
  if (HWND existing = FindWindowExW(panel, nullptr, kPlaceholderClass, nullptr)) {
    SetWindowLongPtrW(existing, kColourSlot, static_cast<LONG_PTR>(colour));
    SetWindowPos(existing, nullptr, 0, 0, client.right, client.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(existing, nullptr, FALSE);
    return;
  }
  CreateWindowExW(0, kPlaceholderClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                  client.bottom, panel, nullptr, module, &colour);
}

}  // namespace admds
