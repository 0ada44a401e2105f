// Base of the wrappers around standard controls (Button, Edit, Static).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win {

// A container sends a child's WM_COMMAND back to the child as this message, so that each
// wrapper handles its own notifications (a button its click).
inline constexpr UINT kReflectedCommand = WM_APP + 0x0111;

// Reflects WM_COMMAND from a child control to that child; true when it did.
bool ReflectCommand(UINT message, WPARAM wParam, LPARAM lParam);

struct Bounds {
  int left;
  int top;
  int width;
  int height;
};

// The control is subclassed with SetWindowSubclass for its whole life; the destructor removes
// the subclass before destroying the window. Every control takes its parent's font.
class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  HWND Handle() const { return hwnd_; }
  std::wstring Text() const;
  void SetText(std::wstring_view text);
  bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

 protected:
  Control(const wchar_t* className, DWORD style, DWORD exStyle, std::wstring_view text,
          Bounds bounds, HWND parent, int id);
  virtual ~Control();

  // Messages of the control itself; the default passes them on to the standard control.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // A notification the parent reflected (BN_CLICKED, EN_CHANGE, ...).
  virtual void OnCommand(WORD notification);
  LRESULT PassOn(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK SubclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR self);
  HWND hwnd_;
};

}  // namespace win
