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
    table_.name = std::move(name);
    table_.kind = kind;
    table_.text = std::move(text);
    table_.rect = rect;
    table_.tabIndex = tabIndex;
  }

  Row& In(std::string container) {
    table_.container = std::move(container);
    return *this;
  }
  Row& WithFont(Font font) {
    table_.font = std::move(font);
    return *this;
  }
  Row& TextColor(Color color) {
    table_.foreColor = color;
    return *this;
  }
  Row& BackColor(Color color) {
    table_.backColor = color;
    return *this;
  }
  Row& Tip(std::string toolTip) {
    table_.toolTip = std::move(toolTip);
    return *this;
  }
  Row& Flags(unsigned flags) {
    table_.flags |= flags;
    return *this;
  }

  operator ControlRow() const { return table_; }

 private:
  ControlRow table_;
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
