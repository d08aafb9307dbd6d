#pragma once
// The folder picker of the Qt program: Qt's own folder dialog (never the desktop's, so that it
// is the same on every desktop and a test can work it), opened on a drive, offering the
// drives by their letters, with the prompt inside it.
#include <QFileDialog>
#include <QString>
#include <string>

#include "system/UserDialogs.h"

namespace QtUi {

// The answers to a folder that lies on no drive, and to one on a drive whose name a Windows
// path cannot carry (legal on Linux: "\ : * ? \" < > |"); the picker then stays open.
inline constexpr const char* kNoDriveText =
    "This folder is on no drive of this computer. Please choose a folder on one of the drives.";
inline constexpr const char* kNoWindowsNameText =
    "This folder's name cannot be written as a Windows path. Please choose another folder.";

class FolderPicker final : public QFileDialog {
  Q_OBJECT

 public:
  // Opens in the root of the drive of the current folder, or of the first drive when the
  // current folder lies on none. `boxes` says when a chosen folder lies on no drive.
  FolderPicker(QWidget* owner, const std::string& prompt, UserDialogs::Service& boxes);

  // The chosen folder in Windows form, as it was when the person accepted; empty until then.
  std::string Chosen() const { return chosen_; }

 public slots:
  // "Choose", or Enter: the folder named in the field, else the one shown. What names no
  // folder, or no folder with a Windows path, is refused with a box, and the picker stays.
  void accept() override;

 private:
  void ShowPrompt(const QString& prompt);
  void NameDrivesByLetter();
  void Refuse(const char* text);

  UserDialogs::Service& boxes_;
  std::string chosen_;
};

}  // namespace QtUi
