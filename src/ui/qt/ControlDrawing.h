#pragma once
// One row of a window's table drawn as a Qt widget, with the adapter the handlers use.
#include <QWidget>
#include <memory>

#include "ui/FormTable.h"
#include "ui/qt/QtControls.h"

namespace QtUi {

// Makes the widget for the row inside `parent` (the window, or the picture box or frame that
// holds it), placed and sized in pixels, with its font, colours, tool tip, cursor and
// initial visibility. The widget's object name is the control's name.
std::unique_ptr<WidgetControl> DrawControl(const ui::ControlRow& row, QWidget* parent);

}  // namespace QtUi
