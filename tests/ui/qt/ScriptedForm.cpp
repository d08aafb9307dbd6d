#include "ScriptedForm.h"

namespace qttest {

ui::ControlSpec Row(const std::string& name, ui::ControlKind kind, ui::Rect rect, unsigned flags,
                    int tabIndex) {
  ui::ControlSpec spec;
  spec.name = name;
  spec.kind = kind;
  spec.rect = rect;
  spec.flags = flags;
  spec.tabIndex = tabIndex;
  return spec;
}

void FormBook::Add(const std::string& name, Recipe recipe) { recipes_[name] = std::move(recipe); }

QtUi::QtToolkit::FormMaker FormBook::Maker() {
  return [this](const std::string& name) -> std::unique_ptr<ui::Form> {
    auto it = recipes_.find(name);
    if (it == recipes_.end()) return nullptr;
    auto form = std::make_unique<ScriptedForm>();
    form->spec.name = name;
    form->spec.caption = name;
    form->spec.clientWidth = 4500;
    form->spec.clientHeight = 3000;
    ui::ControlSpec ok = Row("OK", ui::ControlKind::CommandButton, {120, 120, 1200, 375});
    ok.text = "OK";
    form->spec.controls.push_back(ok);
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

}  // namespace qttest
