// The program's entry: name the application, create the main form, run the message loop.
#include <windows.h>

#include "ui/Unit1.h"
#include "win/Handler.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // No command line, files, registry or environment are read.
  win::Application application;
  application.SetTitle(L"反ARP欺骗");
  try {
    ui::TForm1 Form1(application);
    application.Run();
  } catch (...) {
    // Creating the form failed (no window, no timer): say why, then end.
    win::ShowCurrentException();
    return 1;
  }
  return 0;
}
