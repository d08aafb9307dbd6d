#include "support/ScriptedForm.h"

namespace testsupport {

ui::ControlRow Row(const std::string& name, ui::ControlKind kind, ui::Rect rect, unsigned flags,
                    int tabIndex) {
  ui::ControlRow row;
  row.name = name;
  row.kind = kind;
  row.rect = rect;
  row.flags = flags;
  row.tabIndex = tabIndex;
  return row;
}

void FormBook::Add(const std::string& name, Recipe recipe) { recipes_[name] = std::move(recipe); }

ui::FormMaker FormBook::Maker() {
  return [this](const std::string& name) -> std::unique_ptr<ui::Form> {
    auto it = recipes_.find(name);
    if (it == recipes_.end()) return nullptr;
    auto form = std::make_unique<ScriptedForm>();
    form->table.name = name;
    form->table.caption = name;
    form->table.clientWidth = 4500;
    form->table.clientHeight = 3000;
    ui::ControlRow ok = Row("OK", ui::ControlKind::CommandButton, {120, 120, 1200, 375});
    ok.text = "OK";
    form->table.controls.push_back(ok);
    // The log entries come first; a recipe's own handlers then run after them.
    form->load = [this, name](ui::Toolkit&) { log.push_back("load " + name); };
    form->activate = [this, name](ui::Toolkit&) { log.push_back("activate " + name); };
    form->click = [this, name](ui::Toolkit&, const std::string& control) {
      log.push_back("click " + name + "." + control);
    };
    form->closeBox = [this, name](ui::Toolkit&) {
      log.push_back("close " + name);
      return true;
    };
    if (it->second) it->second(*form);
    return form;
  };
}

}  // namespace testsupport
