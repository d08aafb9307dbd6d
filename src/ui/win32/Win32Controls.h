#pragma once
// ui::Control over Win32 child windows, one adapter per kind of control. Text crosses as the
// 8-bit text of the system code page, byte for byte.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/InertControl.h"

namespace Win32Ui {

// A control drawn as a child window: visibility for every kind (picture boxes and progress
// bars have nothing more). Once its window is unloaded it answers as an inert control.
class WindowControl : public ui::InertControl {
 public:
  explicit WindowControl(HWND window) : window_(window) {}
  HWND Handle() const { return window_; }
  // The window is gone: a handle value may be given to a new window, so it is dropped.
  void Forget() { window_ = nullptr; }
  // The control's own visibility, whether or not its window is on screen.
  bool Visible() const override;
  void SetVisible(bool visible) override;

 protected:
  // The window's whole text (GetWindowTextA).
  std::string WindowText() const;

 private:
  HWND window_;
};

// A label, command button or frame: its caption, exactly as set (a label shows each CR LF as
// a line break).
class CaptionControl : public WindowControl {
 public:
  using WindowControl::WindowControl;
  std::string Text() const override { return WindowText(); }
  void SetText(const std::string& text) override;
};

// A check box: its caption and its state.
class CheckControl final : public CaptionControl {
 public:
  using CaptionControl::CaptionControl;
  int Checked() const override;
  void SetChecked(int state) override;
};

// A drop-down list: its entries and selection; its text is the selected entry.
class ListControl final : public WindowControl {
 public:
  using WindowControl::WindowControl;
  std::string Text() const override;
  std::vector<std::string> Items() const override;
  int ListIndex() const override;
  // An index outside the list (other than -1, no selection) is ignored.
  void SetListIndex(int index) override;

 private:
  std::string Entry(int index) const;
};

}  // namespace Win32Ui
