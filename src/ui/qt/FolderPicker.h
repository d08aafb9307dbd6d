#pragma once
// The folder picker of the Qt program: Qt's own folder dialog (never the desktop's, so that it
// is the same on every desktop and a test can work it), opened on a drive, offering the
// drives by their letters, with the prompt inside it.
#include <QFileDialog>
#include <QString>
#include <string>

#include "system/UserDialogs.h"

namespace QtUi {

// The answer to a folder that lies on no drive; the picker then stays open.
inline constexpr const char* kNoDriveText =
    "This folder is on no drive of this computer. Please choose a folder on one of the drives.";

class FolderPicker final : public QFileDialog {
  Q_OBJECT

 public:
  // Opens in the root of the drive of the current folder, or of the first drive when the
  // current folder lies on none. `boxes` says when a chosen folder lies on no drive.
  FolderPicker(QWidget* owner, const std::string& prompt, UserDialogs::Service& boxes);

  // The chosen folder in Windows form; empty when it lies on no drive.
  std::string Chosen() const;

 public slots:
  // "Choose": a folder on no drive is refused with a box, and the picker stays open.
  void accept() override;

 private:
  void ShowPrompt(const QString& prompt);
  void NameDrivesByLetter();

  UserDialogs::Service& boxes_;
};

}  // namespace QtUi
