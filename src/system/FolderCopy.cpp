// The recursive folder copy of the file tools, alone or as one step of a larger copy run.
#include "system/FolderCopy.h"

#include <vector>

#include "system/FileTools.h"
#include "system/FolderVisits.h"
#include "system/TextTools.h"
#include "system/UserDialogs.h"

namespace FileTools {
namespace {

using TextTools::WithFinalSeparator;
using TextTools::WithoutFinalSeparator;
using WindowsApi::FindData;

// One level of a folder copy. It goes on with the remaining files and subfolders past a
// failure, so one locked file never costs the user the rest; all files of a folder are
// copied before its subfolders.
bool CopyFolderLevel(CopyRun& run, const std::string& source, const std::string& destination,
                     FolderVisits& visited) {
  if (!visited.First(source)) return true;  // entered already through another path
  std::vector<FindData> entries;
  if (ReadFolder(source, Mask::FilesAndFolders, entries) != Read::Listed) {
    // A source that vanished since it was found is as unreadable as one that cannot be
    // listed: either way its files are not saved, and no empty copy of it is made.
    run.CannotRead(WithoutFinalSeparator(source));
    return false;
  }
  // Nothing can be copied into a folder that cannot be made.
  if (!run.MakeFolder(WithoutFinalSeparator(destination), WithoutFinalSeparator(source)))
    return false;
  // A destination inside the source must not be copied into itself again and again.
  visited.First(destination);
  bool ok = true;
  // The listing carries each entry's attributes, so no entry is looked up a second time.
  for (const FindData& entry : entries) {
    if (IsFolderAttributes(entry.attributes)) continue;
    if (!run.CopyFile(source + entry.name, destination + entry.name, source + entry.name))
      ok = false;
  }
  for (const FindData& entry : entries) {
    if (!IsFolderAttributes(entry.attributes)) continue;
    if (!CopyFolderLevel(run, source + entry.name + "\\", destination + entry.name + "\\",
                         visited))
      ok = false;
  }
  return ok;
}

}  // namespace

bool CopyFolderInto(CopyRun& run, const std::string& source, const std::string& destination) {
  FolderVisits visited;
  return CopyFolderLevel(run, WithFinalSeparator(source), WithFinalSeparator(destination),
                         visited);
}

void TellCopyFolderFailed() {
  UserDialogs::ShowMessage("Error copying directory", UserDialogs::Icon::Exclamation);
}

bool CopyFolder(const std::string& source, const std::string& destination) {
  WindowsApi::RunScope scope;  // the folders are walked to once for the whole copy
  CopyRun run;
  const bool ok = CopyFolderInto(run, source, destination);
  if (!ok) TellCopyFolderFailed();
  return ok;
}

}  // namespace FileTools
