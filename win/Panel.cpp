// A panel: a plain container window.
#include "win/Panel.h"

namespace win {

Panel::Panel(HWND parent, int id, Bounds bounds, Bevel bevel)
    : class_(L"ArpflushPanel", Window::Procedure),
      bevel_(bevel),
      brush_(std::make_unique<ColorBrush>(color_)) {
  // WS_EX_CONTROLPARENT lets Tab move into the controls the panel holds.
  Create(class_, WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, L"",
         {bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height}, parent,
         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void Panel::SetColor(Color color) {
  if (color == color_) return;
  color_ = color;
  brush_ = std::make_unique<ColorBrush>(color_);
  InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush_->Handle());
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(Handle(), &paint);
      if (bevel_ == Bevel::kRaised) {
        RECT client;
        GetClientRect(Handle(), &client);
        DrawEdge(dc, &client, BDR_RAISEDOUTER, BF_RECT);
      }
      EndPaint(Handle(), &paint);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // Labels and the button's surroundings take the panel's colour.
      auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, ToColorRef(color_));
      return reinterpret_cast<LRESULT>(brush_->Handle());
    }
    case WM_GETFONT:
      return SendMessageW(GetParent(Handle()), WM_GETFONT, 0, 0);
    case WM_COMMAND:
      if (ReflectCommand(message, wParam, lParam)) return 0;
      break;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace win
