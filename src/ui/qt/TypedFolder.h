#pragma once
// The folder a person names in the picker's field, read the way they mean it. What the field
// holds when they accept decides, never what the dialog's list happens to have selected.
#include <QDir>
#include <QString>

namespace QtUi {

// The native folder that `typed` names: a path with a drive letter ("D:\stash", "d:\STASH\",
// "e:") through the drives, found without regard to case as Windows would; "~" as the home
// folder; an absolute path as it stands; anything else relative to the folder the picker
// shows. Whether it exists is the caller's question.
QString NativeFolderOf(const QString& typed, const QDir& shown);

// The last name of what was typed, as the dialog's own "not found" message names it.
QString LastNameOf(const QString& typed);

// Whether a drive holds this native folder or one above it. A folder that has no Windows path
// although a drive holds it bears a name that a Windows path cannot carry.
bool OnADrive(const QString& native);

}  // namespace QtUi
