// The application object.
#include "win/Application.h"

#include <exception>

#include "protection/ErrorText.h"
#include "win/Form.h"
#include "win/Text.h"

namespace win {

Application* Application::current_ = nullptr;

namespace {

bool StartedMinimized(WORD show) {
  return show == SW_MINIMIZE || show == SW_SHOWMINIMIZED || show == SW_SHOWMINNOACTIVE ||
         show == SW_FORCEMINIMIZE;
}

}  // namespace

Application::Application() : class_(L"ArpflushApplication", Window::Procedure) {
  const int centreX = GetSystemMetrics(SM_CXSCREEN) / 2;
  const int centreY = GetSystemMetrics(SM_CYSCREEN) / 2;
  Create(class_, 0, WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, L"",
         {centreX, centreY, centreX, centreY}, nullptr, nullptr);
  current_ = this;
}

Application::~Application() {
  current_ = nullptr;
  Destroy();
}

void Application::SetTitle(std::wstring_view title) {
  title_ = title;
  SetWindowTextW(Handle(), title_.c_str());
}

void Application::AddForm(Form& form) {
  if (!mainForm_) mainForm_ = &form;
}

void Application::Run() {
  if (mainForm_) {
    // The show state the program was started with (a shortcut set to run minimized or
    // maximized); read here rather than left to the first ShowWindow, whose replacement of
    // its argument would otherwise fall on the zero-sized application window.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const WORD show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow
                                                               : static_cast<WORD>(SW_SHOWNORMAL);
    if (StartedMinimized(show)) {
      Minimize();
    } else {
      if (show == SW_SHOWMAXIMIZED) mainForm_->SetMaximized();
      mainForm_->Show();
    }
  }

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Tab, Enter and Space among the main form's controls.
    if (mainForm_ && IsDialogMessageW(mainForm_->Handle(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Application::Terminate() { PostQuitMessage(0); }

void Application::Minimize() {
  if (minimized_) return;
  minimized_ = true;  // first: the calls below come back here through WM_SIZE
  if (mainForm_) mainForm_->Hide();
  ShowWindow(Handle(), minimizeToTray_ ? SW_HIDE : SW_MINIMIZE);
}

void Application::Restore() {
  minimized_ = false;
  if (IsIconic(Handle()) || !IsWindowVisible(Handle())) ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

void Application::ShowError(std::string_view utf8Message) noexcept {
  try {
    const auto box = protection::ErrorBoxFor(utf8Message);
    // While the box is open it disables the main form; when the form is hidden (an error
    // from the tray menu) the box is task-modal instead.
    HWND owner = nullptr;
    if (mainForm_ && IsWindowVisible(mainForm_->Handle()) && IsWindowEnabled(mainForm_->Handle())) {
      owner = mainForm_->Handle();
    }
    MessageBoxW(owner, Widen(box.text).c_str(), title_.c_str(),
                MB_OK | MB_ICONERROR | (owner ? 0u : static_cast<UINT>(MB_TASKMODAL)));
  } catch (...) {
    // Out of memory while building the text: the error cannot be shown; the program goes on.
  }
}

LRESULT Application::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
          Minimize();
          return 0;
        case SC_RESTORE:
          if (mainForm_) mainForm_->Show();
          return 0;
        default:
          break;
      }
      break;
    case WM_SIZE:
      // Minimized from outside (the shell's minimize-all, say): minimize the whole application.
      if (wParam == SIZE_MINIMIZED) Minimize();
      break;
    case WM_SETFOCUS:
      // Activated through its taskbar button: the main form takes over.
      if (mainForm_ && IsWindowVisible(mainForm_->Handle()) &&
          IsWindowEnabled(mainForm_->Handle())) {
        SetActiveWindow(mainForm_->Handle());
      }
      return 0;
    case WM_CLOSE:
      // "Close window" on the taskbar button closes the main form, which ends the program.
      if (mainForm_) mainForm_->Close();
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace win
