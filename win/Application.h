// The application object: its hidden owner window, the message loop and the error display.
#pragma once

#include <string>
#include <string_view>

#include "win/Window.h"
#include "win/WindowClass.h"

namespace win {

class Form;

// The application's window is a zero-sized top-level window that owns the main form; the
// taskbar button belongs to it and reads the application's title. Minimizing the
// application hides the main form; with minimize-to-tray the taskbar button goes too.
class Application : private Window {
 public:
  Application();
  ~Application() override;

  using Window::Handle;

  void SetTitle(std::wstring_view title);
  const std::wstring& Title() const { return title_; }

  // The first form created becomes the main form.
  void AddForm(Form& form);
  Form* MainForm() const { return mainForm_; }

  // Shows the main form as the program was started (normal, maximized or minimized), then
  // dispatches messages until Terminate.
  void Run();
  // Ends the message loop after the current message.
  void Terminate();

  void Minimize();
  // Makes the application's window (and so its taskbar button) visible and not minimized.
  void Restore();
  bool Minimized() const { return minimized_; }
  void SetMinimizeToTray(bool minimizeToTray) { minimizeToTray_ = minimizeToTray; }

  // The error box: error icon, one OK button, titled with the application's title.
  void ShowError(std::string_view utf8Message) noexcept;

  // The application object of this thread's message loop, if there is one. The callback
  // boundary (ShowCurrentException) needs it and has no other way to reach it.
  static Application* Current() { return current_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static Application* current_;

  WindowClass class_;
  std::wstring title_;
  Form* mainForm_ = nullptr;
  bool minimized_ = false;
  bool minimizeToTray_ = false;
};

}  // namespace win
