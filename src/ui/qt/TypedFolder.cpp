#include "ui/qt/TypedFolder.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <optional>
#include <string>

#include "system/WindowsApi.h"

namespace QtUi {
namespace {

bool HasDriveLetter(const QString& typed) {
  static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:([\\\\/]|$)"));
  return drive.match(typed).hasMatch();
}

}  // namespace

QString NativeFolderOf(const QString& typed, const QDir& shown) {
  if (HasDriveLetter(typed)) {
    // "D:" alone is the drive's root, as in the drive list.
    const QString windows = typed.size() == 2 ? typed + QLatin1Char('\\') : typed;
    const std::optional<std::string> native =
        WindowsApi::NativePathOf(windows.toStdString());
    // A drive that does not exist names no folder.
    return native ? QDir::cleanPath(QString::fromStdString(*native)) : QString();
  }
  if (typed == QLatin1String("~")) return QDir::homePath();
  if (typed.startsWith(QLatin1String("~/"))) return QDir::cleanPath(QDir::homePath() + typed.mid(1));
  return QDir::cleanPath(shown.absoluteFilePath(typed));
}

QString LastNameOf(const QString& typed) {
  // A path with a drive letter is split at "\" too; elsewhere "\" is a letter of a name.
  const QRegularExpression separators(HasDriveLetter(typed) ? QStringLiteral("[\\\\/]")
                                                            : QStringLiteral("/"));
  const QStringList parts = typed.split(separators, Qt::SkipEmptyParts);
  return parts.isEmpty() ? typed : parts.last();
}

bool OnADrive(const QString& native) {
  for (QDir folder(native);; ) {
    if (!WindowsApi::WindowsPathOf(folder.absolutePath().toStdString()).empty())
      return true;
    if (folder.isRoot() || !folder.cdUp()) return false;
  }
}

}  // namespace QtUi
