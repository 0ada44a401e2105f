// A form: a top-level window sized to its content.
#include "win/Form.h"

#include <algorithm>

#include "win/Application.h"
#include "win/Control.h"
#include "win/Handler.h"

namespace win {

namespace {

constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr POINT kDesignedPosition{485, 250};

}  // namespace

Form::Form(Application& application, const wchar_t* className, std::wstring_view caption,
           SIZE clientSize)
    : application_(application),
      class_(className, Window::Procedure),
      font_(L"MS Sans Serif", -11),
      clientSize_(clientSize),
      brush_(std::make_unique<ColorBrush>(color_)) {
  const SIZE frame = FrameSize();
  Create(class_, WS_EX_CONTROLPARENT, kFormStyle, std::wstring(caption).c_str(),
         {kDesignedPosition.x, kDesignedPosition.y, kDesignedPosition.x + frame.cx,
          kDesignedPosition.y + frame.cy},
         application.Handle(), nullptr);
  application.AddForm(*this);
}

Form::~Form() { Destroy(); }

SIZE Form::FrameSize() const {
  RECT frame{0, 0, clientSize_.cx, clientSize_.cy};
  AdjustWindowRectEx(&frame, kFormStyle, FALSE, WS_EX_CONTROLPARENT);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

bool Form::Visible() const { return IsWindowVisible(Handle()) != FALSE; }

void Form::Show() {
  if (Visible()) {
    SetForegroundWindow(Handle());
    return;
  }
  application_.Restore();
  RunHandler([this] {
    if (onShow) onShow();
  });
  if (!placed_) {
    PlaceAtScreenCentre();
    placed_ = true;
  }
  int command = SW_SHOW;
  if (IsIconic(Handle())) {
    command = SW_RESTORE;
  } else if (showMaximized_) {
    command = SW_SHOWMAXIMIZED;
    showMaximized_ = false;
  }
  ShowWindow(Handle(), command);
  SetForegroundWindow(Handle());
}

void Form::Hide() { ShowWindow(Handle(), SW_HIDE); }

void Form::Close() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

void Form::SetColor(Color color) {
  if (color == color_) return;
  color_ = color;
  brush_ = std::make_unique<ColorBrush>(color_);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void Form::PlaceAtScreenCentre() {
  RECT window;
  GetWindowRect(Handle(), &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  const int left = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  const int top = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::OnActivate(bool active) {
  if (!active) {
    // Remember which control had the focus, to give it back on the next activation.
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus)) focus_ = focus;
    return;
  }
  if (!focus_ || !IsWindow(focus_)) focus_ = GetNextDlgTabItem(Handle(), nullptr, FALSE);
  if (focus_) SetFocus(focus_);
  if (!activated_) {
    activated_ = true;
    RunHandler([this] {
      if (onFirstActivate) onFirstActivate();
    });
  }
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_WINDOWPOSCHANGING: {
      // The size follows the content: every resize, by the frame or by anyone, snaps back.
      auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!(position->flags & SWP_NOSIZE) && !IsIconic(Handle())) {
        const SIZE frame = FrameSize();
        position->cx = frame.cx;
        position->cy = frame.cy;
      }
      return 0;
    }
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
          application_.Minimize();
          return 0;
        case SC_MAXIMIZE:
          return 0;  // the user cannot maximize the window
        default:
          break;
      }
      break;
    case WM_SIZE:
      // Minimized some other way than through the system menu.
      if (wParam == SIZE_MINIMIZED) application_.Minimize();
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_CLOSE:
      // Closing the main form ends the program; the window is destroyed with its object.
      application_.Terminate();
      return 0;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush_->Handle());
      return 1;
    }
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_.Handle());
    case WM_COMMAND:
      if (ReflectCommand(message, wParam, lParam)) return 0;
      return 0;  // Enter in the edit sends IDOK without a control: this form has no default
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace win
