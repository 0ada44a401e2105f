// The callback boundary's error display.
#include "win/Handler.h"

#include <windows.h>

#include <exception>
#include <string>

#include "win/Application.h"
#include "win/Text.h"

namespace win {

void ShowCurrentException() noexcept {
  try {
    std::string message;
    try {
      throw;
    } catch (const std::exception& e) {
      message = e.what();
    } catch (...) {
      message = "Unknown error";
    }
    if (auto* application = Application::Current()) {
      application->ShowError(message);
    } else {
      MessageBoxW(nullptr, Widen(message).c_str(), nullptr, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    }
  } catch (...) {
    // Nothing is left to show it with; the program goes on.
  }
}

}  // namespace win
