#pragma once
// Rows of a window's control table, written as name, kind, text, rectangle and tab index,
// followed by whatever sets the row apart (font, colours, tool tip, container, flags).
#include <string>
#include <utility>

#include "ui/FormTable.h"

namespace ui {

class Row {
 public:
  Row(std::string name, ControlKind kind, std::string text, Rect rect, int tabIndex) {
    row_.name = std::move(name);
    row_.kind = kind;
    row_.text = std::move(text);
    row_.rect = rect;
    row_.tabIndex = tabIndex;
  }

  Row& In(std::string container) {
    row_.container = std::move(container);
    return *this;
  }
  Row& WithFont(Font font) {
    row_.font = std::move(font);
    return *this;
  }
  Row& TextColor(Color color) {
    row_.foreColor = color;
    return *this;
  }
  Row& BackColor(Color color) {
    row_.backColor = color;
    return *this;
  }
  Row& Tip(std::string toolTip) {
    row_.toolTip = std::move(toolTip);
    return *this;
  }
  Row& Flags(unsigned flags) {
    row_.flags |= flags;
    return *this;
  }

  operator ControlRow() const { return row_; }

 private:
  ControlRow row_;
};

inline Row LabelRow(std::string name, std::string text, Rect rect, int tabIndex) {
  return Row(std::move(name), ControlKind::Label, std::move(text), rect, tabIndex);
}

// Every command button but the about window's OK shows the pointing hand.
inline Row ButtonRow(std::string name, std::string text, Rect rect, int tabIndex) {
  return Row(std::move(name), ControlKind::CommandButton, std::move(text), rect, tabIndex)
      .Flags(kHandCursor);
}

// A window's own properties; the rest keep FormTable's defaults (fixed single border, in the
// task bar, the application icon, a close box, not modal).
inline FormTable WindowTable(std::string name, std::string caption, int clientWidth,
                           int clientHeight) {
  FormTable table;
  table.name = std::move(name);
  table.caption = std::move(caption);
  table.clientWidth = clientWidth;
  table.clientHeight = clientHeight;
  return table;
}

}  // namespace ui
