#include "ui/qt/FolderPicker.h"

#include <QAbstractItemModel>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMap>
#include <QMessageBox>
#include <QUrl>
#include <cctype>
#include <vector>

#include "system/WindowsApi.h"
#include "ui/DriveChoice.h"
#include "ui/qt/TypedFolder.h"

namespace QtUi {
namespace {

// The native folder of a drive root ("C:\"), or empty text.
QString DriveRoot(char letter) {
  const auto native = WindowsApi::NativePathOf(std::string(1, letter) + ":\\");
  return native ? QDir::cleanPath(QString::fromStdString(*native)) : QString();
}

char LetterOf(const std::string& driveEntry) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(driveEntry.front())));
}

// Where the picker opens: the drive list's own choice of drive, else the first drive.
QString StartFolder(const DriveChoice::Drives& drives) {
  if (drives.entries.empty()) return QDir::homePath();
  const std::size_t index = drives.selected >= 0 ? static_cast<std::size_t>(drives.selected) : 0;
  const QString root = DriveRoot(LetterOf(drives.entries[index]));
  return root.isEmpty() ? QDir::homePath() : root;
}

}  // namespace

FolderPicker::FolderPicker(QWidget* owner, const std::string& prompt, UserDialogs::Service& boxes)
    : QFileDialog(owner, QString::fromStdString(prompt)), boxes_(boxes) {
  setOption(QFileDialog::DontUseNativeDialog);
  setFileMode(QFileDialog::Directory);
  setOption(QFileDialog::ShowDirsOnly);
  setDirectory(StartFolder(DriveChoice::MachineDrives()));
  ShowPrompt(QString::fromStdString(prompt));
  NameDrivesByLetter();
}

// Decided from the field as it stands now. The dialog's own answer (its list's selection,
// which its completion may have set to the folder shown) can differ from what was typed, and
// changes again as the dialog closes.
void FolderPicker::accept() {
  const auto* field = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  const QString typed = field ? field->text() : QString();
  // ".." and Enter goes up one folder, as the dialog has always done.
  if (typed == QLatin1String("..")) return QFileDialog::accept();
  const QString native = typed.isEmpty() ? QDir::cleanPath(selectedFiles().value(0))
                                         : NativeFolderOf(typed, directory());
  if (native.isEmpty() || !QFileInfo(native).isDir()) {
    // The dialog's own words, as it says them of a folder that is not there.
    QMessageBox::warning(this, windowTitle(),
                         QFileDialog::tr("%1\nDirectory not found.\nPlease verify the correct "
                                         "directory name was given.")
                             .arg(LastNameOf(typed)));
    return;
  }
  const std::string windows = WindowsApi::WindowsPathOf(native.toStdString());
  if (windows.empty()) return Refuse(OnADrive(native) ? kNoWindowsNameText : kNoDriveText);
  chosen_ = windows;
  QDialog::accept();
}

void FolderPicker::Refuse(const char* text) {
  boxes_.Message(text, UserDialogs::kTitle, UserDialogs::Icon::Critical, UserDialogs::Buttons::Ok,
                 UserDialogs::Question::None);
}

// Above everything else in the dialog, as the shell's picker shows it. Qt lays its dialog out
// on a grid: every row moves one down to make room. Should that layout ever change, the
// prompt stays in the title bar alone.
void FolderPicker::ShowPrompt(const QString& prompt) {
  auto* grid = qobject_cast<QGridLayout*>(layout());
  if (!grid) return;
  struct Placed {
    QLayoutItem* item;
    int row, column, rows, columns;
  };
  const int columns = grid->columnCount();
  std::vector<Placed> placed;
  while (grid->count() > 0) {
    Placed p{};
    grid->getItemPosition(0, &p.row, &p.column, &p.rows, &p.columns);
    p.item = grid->takeAt(0);
    placed.push_back(p);
  }
  auto* label = new QLabel(prompt, this);
  label->setObjectName(QStringLiteral("Prompt"));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  grid->addWidget(label, 0, 0, 1, columns);
  for (const Placed& p : placed) {
    if (QLayout* inner = p.item->layout()) {
      grid->addLayout(inner, p.row + 1, p.column, p.rows, p.columns);
    } else if (QWidget* widget = p.item->widget()) {
      grid->addWidget(widget, p.row + 1, p.column, p.rows, p.columns);
      delete p.item;
    } else {
      grid->addItem(p.item, p.row + 1, p.column, p.rows, p.columns);
    }
  }
}

// The places beside the folders are the drives, each named by its letter ("C:") where Qt
// would show its folder's name. Qt names them again whenever it learns more of the folders,
// so the letters are put back each time.
void FolderPicker::NameDrivesByLetter() {
  QList<QUrl> places;
  QMap<QString, QString> letters;
  for (const std::string& entry : WindowsApi::DriveEntries()) {
    if (entry.empty()) continue;
    const QString root = DriveRoot(LetterOf(entry));
    if (root.isEmpty()) continue;
    places << QUrl::fromLocalFile(root);
    letters.insert(root, QStringLiteral("%1:").arg(QChar::fromLatin1(LetterOf(entry))));
  }
  // Set afresh: the dialog keeps the last list in its saved settings.
  setSidebarUrls(places);
  auto* sidebar = findChild<QListView*>(QStringLiteral("sidebar"));
  QAbstractItemModel* model = sidebar ? sidebar->model() : nullptr;
  if (!model) return;
  const auto name = [this, model, letters] {
    const QList<QUrl> urls = sidebarUrls();  // one per row of the side list
    for (int row = 0; row < urls.size() && row < model->rowCount(); ++row) {
      const QString letter = letters.value(QDir::cleanPath(urls[row].toLocalFile()));
      const QModelIndex index = model->index(row, 0);
      if (!letter.isEmpty() && index.data().toString() != letter) model->setData(index, letter);
    }
  };
  name();
  connect(model, &QAbstractItemModel::dataChanged, this, name);
}

}  // namespace QtUi
