#include "ui/qt/QtDialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "system/WindowsApi.h"
#include "ui/qt/FolderPicker.h"

namespace QtUi {
namespace {

QMessageBox::Icon ToQtIcon(UserDialogs::Icon icon) {
  switch (icon) {
    case UserDialogs::Icon::Critical: return QMessageBox::Critical;
    case UserDialogs::Icon::Information: return QMessageBox::Information;
    case UserDialogs::Icon::Exclamation:
    case UserDialogs::Icon::Warning: return QMessageBox::Warning;
  }
  return QMessageBox::NoIcon;
}

// Boxes and pickers stand over the window the user is working in.
QWidget* Owner() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

}  // namespace

UserDialogs::Answer QtDialogs::Message(const std::string& text, const std::string& title,
                                       UserDialogs::Icon icon, UserDialogs::Buttons buttons,
                                       UserDialogs::Question) {
  const bool withCancel = buttons == UserDialogs::Buttons::OkCancel;
  // A box without a title of its own carries the program's name.
  const QString caption = title.empty() ? QApplication::applicationName() : QString::fromStdString(title);
  QMessageBox box(ToQtIcon(icon), caption, QString::fromStdString(text),
                  withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, Owner());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Ok);
  const int result = box.exec();
  return result == QMessageBox::Ok ? UserDialogs::Answer::Ok : UserDialogs::Answer::Cancel;
}

std::string QtDialogs::PickFolder(const std::string& prompt, UserDialogs::Question) {
  FolderPicker picker(Owner(), prompt, *this);
  return picker.exec() == QDialog::Accepted ? picker.Chosen() : std::string();
}

void QtDialogs::OpenInShell(const std::string& path) {
  const std::optional<std::string> native = WindowsApi::NativePathOf(path);
  if (!native) return;
  // Whether the desktop could open it is not looked at, as the shell's answer never was.
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(*native)));
}

}  // namespace QtUi
