// The main form TForm1: its components, created from the stored layout, and its handlers.
#pragma once

#include <cstddef>

#include "protection/FlushTimer.h"
#include "protection/Toggle.h"
#include "win/Application.h"
#include "win/Button.h"
#include "win/Edit.h"
#include "win/Form.h"
#include "win/Label.h"
#include "win/Panel.h"
#include "win/PopupMenu.h"
#include "win/Skin.h"
#include "win/SystemCommandLauncher.h"
#include "win/Timer.h"
#include "win/TrayIcon.h"

namespace ui {

// The form owns every component as a value member, in the order the layout declares them,
// so they are created in that order and destroyed in reverse: the controls first, then the
// tray icon (which leaves the notification area), then the flush timer (which stops).
class TForm1 : public win::Form, private protection::ProtectionControls {
 public:
  explicit TForm1(win::Application& application);

  // Event handlers.
  void Timer1Timer();
  void Button1Click();
  void Edit1KeyPress(char16_t& key);
  void N1Click();
  void CoolTrayIcon1DblClick();
  void FormShow();

 private:
  // The controls that show the protection state.
  std::string PeriodText() const override;
  void SetPeriodText(std::string_view text) override;
  void SetButtonCaption(std::string_view caption) override;
  void SetStartItemEnabled(bool enabled) override;
  void SetStopItemEnabled(bool enabled) override;

  win::Application& application_;
  win::SystemCommandLauncher launcher_;
  win::Timer timer1Clock_;  // the system timer Timer1 drives

  protection::FlushTimer Timer1;
  win::PopupMenu PopupMenu1;
  win::TrayIcon CoolTrayIcon1;
  std::size_t ARP1;
  std::size_t ARP2;
  std::size_t N1;
  win::Skin SkinData1;
  win::Panel Panel1;
  win::Button Button1;
  win::Edit Edit1;
  win::Label Label1;
  win::Label Label2;
  win::Label Label3;
  win::Panel Panel2;
  win::Panel Panel3;
};

}  // namespace ui
