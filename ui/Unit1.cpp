// The main form TForm1.
#include "ui/Unit1.h"

#include "ads/AdLibrary.h"
#include "protection/FlushCycle.h"
#include "protection/KeyFilter.h"
#include "ui/Unit1Layout.h"
#include "win/Text.h"

namespace ui {

using namespace layout;

namespace {

HICON LoadTrayIcon() {
  // A private copy (no LR_SHARED): the tray icon destroys it when it leaves.
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                       0));
}

}  // namespace

TForm1::TForm1(win::Application& application)
    : win::Form(application, kFormClass, kFormCaption, kClientSize),
      application_(application),
      Timer1(timer1Clock_),
      CoolTrayIcon1(LoadTrayIcon(), kTrayHint),
      ARP1(PopupMenu1.AddItem(kArp1Caption, [this] { Button1Click(); })),
      ARP2(PopupMenu1.AddItem(kArp2Caption, [this] { Button1Click(); })),
      N1(PopupMenu1.AddItem(kN1Caption, [this] { N1Click(); })),
      SkinData1(kSkinButtonFace),
      Panel1(Handle(), kPanel1Id, kPanel1, win::Panel::Bevel::kRaised),
      Button1(Panel1.Handle(), kButton1Id, kButton1, kButton1Caption),
      Edit1(Panel1.Handle(), kEdit1Id, kEdit1, kEdit1Text),
      Label1(Panel1.Handle(), kLabel1Id, kLabel1, kLabel1Text),
      Label2(Panel1.Handle(), kLabel2Id, kLabel2, kLabel2Text),
      Label3(Panel1.Handle(), kLabel3Id, kLabel3, kLabel3Text),
      Panel2(Panel1.Handle(), kPanel2Id, kPanel2, win::Panel::Bevel::kNone),
      Panel3(Panel1.Handle(), kPanel3Id, kPanel3, win::Panel::Bevel::kNone) {
  // Protection is on from the moment the form exists.
  timer1Clock_.onTick = [this] { Timer1.Tick(); };
  Timer1.SetInterval(kTimer1Interval);
  Timer1.SetOnTimer([this] { Timer1Timer(); });

  PopupMenu1.SetItemEnabled(ARP1, false);
  CoolTrayIcon1.SetPopupMenu(&PopupMenu1);
  CoolTrayIcon1.onDblClick = [this] { CoolTrayIcon1DblClick(); };
  application.SetMinimizeToTray(true);

  Button1.onClick = [this] { Button1Click(); };
  Edit1.onKeyPress = [this](char16_t& key) { Edit1KeyPress(key); };
  onShow = [this] { FormShow(); };
  onFirstActivate = [this] { SkinData1.SkinForm(*this, {&Panel1, &Panel2, &Panel3}); };
}

void TForm1::Timer1Timer() { protection::FlushArpCache(launcher_); }

void TForm1::Button1Click() { protection::ToggleProtection(Timer1, *this); }

void TForm1::Edit1KeyPress(char16_t& key) { protection::FilterPeriodKey(key); }

void TForm1::N1Click() { application_.Terminate(); }

void TForm1::CoolTrayIcon1DblClick() { Show(); }

void TForm1::FormShow() {
  // Panel2 first; a fault in the library ends the handler here, so Panel3 then gets no call.
  ads::CallInitScreen(Panel2.Handle(), kPanel2AdAddress, Panel2.GetColor());
  ads::CallInitScreen(Panel3.Handle(), kPanel3AdAddress, Panel3.GetColor());
}

std::string TForm1::PeriodText() const { return win::Narrow(Edit1.Text()); }

void TForm1::SetPeriodText(std::string_view text) { Edit1.SetText(win::Widen(text)); }

void TForm1::SetButtonCaption(std::string_view caption) { Button1.SetText(win::Widen(caption)); }

void TForm1::SetStartItemEnabled(bool enabled) { PopupMenu1.SetItemEnabled(ARP1, enabled); }

void TForm1::SetStopItemEnabled(bool enabled) { PopupMenu1.SetItemEnabled(ARP2, enabled); }

}  // namespace ui
