#pragma once
// Rows of a window's control table, written as name, kind, text, rectangle and tab index,
// followed by whatever sets the row apart (font, colours, tool tip, container, flags).
#include <string>
#include <utility>

#include "ui/FormSpec.h"

namespace ui {

class Row {
 public:
  Row(std::string name, ControlKind kind, std::string text, Rect rect, int tabIndex) {
    spec_.name = std::move(name);
    spec_.kind = kind;
    spec_.text = std::move(text);
    spec_.rect = rect;
    spec_.tabIndex = tabIndex;
  }

  Row& In(std::string container) {
    spec_.container = std::move(container);
    return *this;
  }
  Row& WithFont(Font font) {
    spec_.font = std::move(font);
    return *this;
  }
  Row& TextColor(Color color) {
    spec_.foreColor = color;
    return *this;
  }
  Row& BackColor(Color color) {
    spec_.backColor = color;
    return *this;
  }
  Row& Tip(std::string toolTip) {
    spec_.toolTip = std::move(toolTip);
    return *this;
  }
  Row& Flags(unsigned flags) {
    spec_.flags |= flags;
    return *this;
  }

  operator ControlSpec() const { return spec_; }

 private:
  ControlSpec spec_;
};

inline Row LabelRow(std::string name, std::string text, Rect rect, int tabIndex) {
  return Row(std::move(name), ControlKind::Label, std::move(text), rect, tabIndex);
}

// Every command button but the about window's OK shows the pointing hand.
inline Row ButtonRow(std::string name, std::string text, Rect rect, int tabIndex) {
  return Row(std::move(name), ControlKind::CommandButton, std::move(text), rect, tabIndex)
      .Flags(kHandCursor);
}

// A window's own properties; the rest keep FormSpec's defaults (fixed single border, in the
// task bar, the application icon, a close box, not modal).
inline FormSpec WindowSpec(std::string name, std::string caption, int clientWidth,
                           int clientHeight) {
  FormSpec spec;
  spec.name = std::move(name);
  spec.caption = std::move(caption);
  spec.clientWidth = clientWidth;
  spec.clientHeight = clientHeight;
  return spec;
}

}  // namespace ui
