// A form: a top-level window owned by the application window, sized to its content.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "win/Color.h"
#include "win/Font.h"
#include "win/Window.h"
#include "win/WindowClass.h"

namespace win {

class Application;

// The client area always has the size given at creation: every attempt to resize the window
// snaps back. The first showing centres the window on the screen; later showings leave it
// where it was. There is no maximize box. Minimizing it minimizes the application.
class Form : public Window {
 public:
  Form(Application& application, const wchar_t* className, std::wstring_view caption,
       SIZE clientSize);
  ~Form() override;

  // Invisible to visible: runs onShow (its error is shown, and the window is shown all the
  // same), then places, shows and brings the window to the foreground. Already visible: only
  // brings it to the front.
  void Show();
  void Hide();
  void Close();
  bool Visible() const;
  // The window state before the first showing: shown maximized.
  void SetMaximized() { showMaximized_ = true; }

  HFONT Font() const { return font_.Handle(); }
  Color GetColor() const { return color_; }
  void SetColor(Color color);

  // Every transition from invisible to visible, before the window is placed and shown.
  std::function<void()> onShow;
  // The first activation of the window, right after its first showing.
  std::function<void()> onFirstActivate;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  SIZE FrameSize() const;
  void PlaceAtScreenCentre();
  void OnActivate(bool active);

  Application& application_;
  WindowClass class_;
  win::Font font_;
  SIZE clientSize_;
  Color color_ = kButtonFace;
  std::unique_ptr<ColorBrush> brush_;
  bool placed_ = false;
  bool showMaximized_ = false;
  bool activated_ = false;
  HWND focus_ = nullptr;
};

}  // namespace win
