#pragma once
// The toolkit drawn with Qt Widgets: keeps the loaded windows by name, runs their handlers,
// shows them modeless or modally, and ends the program when the last one is gone.
#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "ui/Form.h"
#include "ui/Toolkit.h"
#include "ui/qt/FormWindow.h"

namespace QtUi {

class QtToolkit final : public QObject, public ui::Toolkit, private WindowEvents {
  Q_OBJECT

 public:
  using FormMaker = std::function<std::unique_ptr<ui::Form>(const std::string&)>;
  using ProgramEnd = std::function<void()>;

  // `makeForm` makes a window's logic by name (ui::MakeForm in the program). `endProgram`
  // is what ending the program does; by default it leaves the application's event loops.
  explicit QtToolkit(FormMaker makeForm, ProgramEnd endProgram = {});
  ~QtToolkit() override;

  ui::Control& Get(const std::string& form, const std::string& control) override;
  void Show(const std::string& form) override;
  void ShowModal(const std::string& form) override;
  void Unload(const std::string& form) override;
  bool IsLoaded(const std::string& form) const override;
  void EndProgram() override;

  // The top-level widget of a loaded window, or null.
  QWidget* Window(const std::string& form) const;
  // Whether the program has ended (Exit, or no window left).
  bool Ended() const { return ended_; }

 private:
  void Activated(FormWindow& window) override;
  void Clicked(FormWindow& window, const std::string& control) override;
  void CloseBoxPressed(FormWindow& window) override;

  FormWindow* Load(const std::string& form);
  FormWindow* Loaded(const std::string& form) const;
  QWidget* ActiveProgramWindow() const;
  void EndWhenNoWindowIsLeft();

  FormMaker makeForm_;
  ProgramEnd endProgram_;
  std::map<std::string, QPointer<FormWindow>> windows_;
  std::string lastActive_;  // the window whose activation ran last
  bool ended_ = false;
};

}  // namespace QtUi
