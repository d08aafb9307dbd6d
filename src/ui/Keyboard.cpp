#include "ui/Keyboard.h"

#include <algorithm>

namespace ui::Keyboard {
namespace {

std::string ButtonWithFlag(const FormTable& table, unsigned flag) {
  for (const ControlRow& control : table.controls)
    if (control.kind == ControlKind::CommandButton && (control.flags & flag)) return control.name;
  return {};
}

}  // namespace

bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::PictureBox:
    case ControlKind::CommandButton:
    case ControlKind::CheckBox:
    case ControlKind::TextBox:
    case ControlKind::DriveList:
      return true;
    case ControlKind::Label:
    case ControlKind::Frame:
    case ControlKind::ProgressBar:
      return false;
  }
  return false;
}

std::vector<const ControlRow*> TabOrder(const FormTable& table) {
  std::vector<const ControlRow*> order;
  for (const ControlRow& control : table.controls)
    if (TakesFocus(control.kind)) order.push_back(&control);
  std::stable_sort(order.begin(), order.end(),
                   [](const ControlRow* a, const ControlRow* b) { return a->tabIndex < b->tabIndex; });
  return order;
}

std::string FirstFocus(const FormTable& table, const Available& available) {
  for (const ControlRow* control : TabOrder(table))
    if (!available || available(*control)) return control->name;
  return {};
}

std::string NextFocus(const FormTable& table, const std::string& focused, bool forward,
                      const Available& available) {
  const std::vector<const ControlRow*> order = TabOrder(table);
  const int count = static_cast<int>(order.size());
  int at = forward ? -1 : count;
  for (int i = 0; i < count; ++i)
    if (order[i]->name == focused) at = i;
  for (int step = 1; step <= count; ++step) {
    const int next = ((at + (forward ? step : -step)) % count + count) % count;
    if (!available || available(*order[next])) return order[next]->name;
  }
  return {};
}

std::string EnterPresses(const FormTable& table, const std::string& focused) {
  const ControlRow* control = focused.empty() ? nullptr : table.Find(focused);
  if (control && control->kind == ControlKind::CommandButton) return control->name;
  return ButtonWithFlag(table, kDefault);
}

std::string EscPresses(const FormTable& table) { return ButtonWithFlag(table, kCancel); }

}  // namespace ui::Keyboard
