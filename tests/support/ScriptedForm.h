#pragma once
// Windows of the tests' own, for the toolkit's behaviour apart from the program's windows:
// a table and handlers given as functions, and a book of them by name.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/Form.h"

namespace testsupport {

struct ScriptedForm final : ui::Form {
  ui::FormTable table;
  std::function<void(ui::Toolkit&)> load;
  std::function<void(ui::Toolkit&)> activate;
  std::function<void(ui::Toolkit&, const std::string&)> click;
  std::function<bool(ui::Toolkit&)> closeBox;

  const ui::FormTable& Table() const override { return table; }
  void OnLoad(ui::Toolkit& tk) override {
    if (load) load(tk);
  }
  void OnActivate(ui::Toolkit& tk) override {
    if (activate) activate(tk);
  }
  void OnClick(ui::Toolkit& tk, const std::string& control) override {
    if (click) click(tk, control);
  }
  bool OnCloseBox(ui::Toolkit& tk) override { return closeBox ? closeBox(tk) : true; }
};

// Makes each window afresh from its recipe on every load, and notes what happened in a log
// the tests read ("load A", "activate A", "click A.OK", "close A").
class FormBook {
 public:
  using Recipe = std::function<void(ScriptedForm&)>;
  // A window named `name`, 300 x 200 pixels, with a command button "OK"; `recipe` adds to it.
  void Add(const std::string& name, Recipe recipe = {});
  ui::FormMaker Maker();

  std::vector<std::string> log;

 private:
  std::map<std::string, Recipe> recipes_;
};

// A handler that runs `first`, then `then`, and answers what `then` answers: how a recipe
// adds to the logging handlers the book gives every window.
template <class First, class Then>
auto Chain(First first, Then then) {
  return [first, then](auto&... args) {
    first(args...);
    return then(args...);
  };
}

// A table row in twips.
ui::ControlRow Row(const std::string& name, ui::ControlKind kind, ui::Rect rect,
                    unsigned flags = 0, int tabIndex = 0);

}  // namespace testsupport
