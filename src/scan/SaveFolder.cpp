#include "scan/SaveFolder.h"

#include "scan/QuillfenSpecific.h"
#include "scan/Resources.h"
#include "scan/ScanSources.h"
#include "system/FailureText.h"
#include "system/FileTools.h"
#include "system/FolderCopy.h"
#include "system/TextTools.h"
#include "system/UserDialogs.h"
#include "system/WindowsApi.h"

namespace SaveFolder {
namespace {

using UserDialogs::Icon;

constexpr const char* kNothingFound = "No valid Windows Update files found.";
constexpr const char* kAskForLocation =
    "You will now be prompted to specify the location where you'd like to save your Windows "
    "Update files.";
constexpr const char* kPickerPrompt = "Where would you like to save your Windows Update files?";
constexpr const char* kSaved =
    "Your files have successfully been saved. Press OK to open the save directory.";
// Heads the box that lists what the scan could not read, before the box that ends the save.
constexpr const char* kNotAllRead =
    "The scan could not read everything, so files may have been missed:";

void CopyFiles(const std::vector<std::string>& files, const std::string& saveFolder,
               const std::string& v4Folder, FileTools::CopyRun& run) {
  for (const auto& source : files) {
    // A file that has gone since the scan is passed over without a word, whether it is
    // missed now or when its copy opens it.
    if (!FileTools::FileExists(source)) continue;
    const std::string name = FileTools::LastPathPart(source);
    const std::string& target = QuillfenSpecific::IsV4File(name) ? v4Folder : saveFolder;
    // The copy refuses a file onto itself (the scanned folder picked as the save place),
    // so such a file is reported and stays as it was.
    run.CopyFile(source, TextTools::InFolder(target, name), source,
                 FileTools::CopyRun::IfGone::Skip);
  }
}

void CopyFolders(const std::vector<std::string>& folders, const std::string& saveFolder,
                 FileTools::CopyRun& run) {
  for (const auto& source : folders) {
    if (!FileTools::FolderExists(source)) continue;
    // Its failures are listed with the others in the one box at the end.
    FileTools::CopyFolderInto(run, source,
                              TextTools::InFolder(saveFolder, FileTools::LastPathPart(source)));
  }
}

// The lines one under the other.
std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

// What the scan could not read, in a box of its own: it never turns a save that succeeded into
// one that failed, and the box that ends the save follows it.
void TellReadFailures(const FileTools::CopyRun& run) {
  if (run.ReadFailures().empty()) return;
  UserDialogs::ShowMessage(std::string(kNotAllRead) + "\n\n" + Lines(run.ReadFailures()),
                           Icon::Exclamation);
}

std::string ProblemReport(const std::string& saveFolder, const std::vector<std::string>& problems,
                          bool savedAny) {
  return "Saving to " + saveFolder + " did not fully succeed:\n\n" + Lines(problems) +
         (savedAny ? "\n\nThe other files have been saved. Press OK to open the save directory."
                   : "\n\nNo file has been saved.");
}

}  // namespace

bool SaveResourceToFile(int resourceId, const std::string& path) {
  const auto bytes = Resources::Bytes(resourceId);
  if (bytes.empty()) return false;
  // Written whole (never over an older file in place), so no tail of a longer old file can
  // survive behind the new bytes, whether or not the old file could be deleted first.
  return WindowsApi::WriteWholeFile(path, bytes.data(), bytes.size());
}

Readme WriteReadme(const std::string& saveFolder) {
  const std::string path = TextTools::InFolder(saveFolder, kReadmeName);
  // An older README that cannot be deleted is never written over: it stays whole.
  if (FileTools::FileExists(path) && !WindowsApi::DeleteOneFile(path)) return Readme::OldKept;
  return SaveResourceToFile(kReadmeResource, path) ? Readme::Written : Readme::NotWritten;
}

void WriteReadme(const std::string& saveFolder, FileTools::CopyRun& run) {
  if (WriteReadme(saveFolder) == Readme::OldKept)
    run.CannotReplace(TextTools::InFolder(saveFolder, kReadmeName));
}

void SaveFoundFiles(const std::vector<std::string>& foundFiles) {
  ScanSources::Finds finds;
  finds.files = foundFiles;
  SaveFoundFiles(finds);
}

void SaveFoundFiles(const ScanSources::Finds& finds) {
  FileTools::CopyRun run;
  // What the scan could not read is told on its own, apart from the save's own failures.
  for (const auto& folder : finds.unreadable) run.CannotRead(folder);
  for (const auto& file : finds.undated) run.CannotDate(file);
  if (finds.files.empty() && finds.folders.empty()) {
    UserDialogs::ShowMessage(kNothingFound, Icon::Critical);
    // What could not be read may have held files: say which, after "none found".
    if (!run.ReadFailures().empty())
      UserDialogs::ShowMessage(Lines(run.ReadFailures()), Icon::Critical);
    return;
  }
  UserDialogs::ShowMessage(kAskForLocation, Icon::Information);
  const std::string chosen =
      FileTools::BrowseForFolder(0, kPickerPrompt, UserDialogs::Question::SaveLocation);
  if (chosen.empty()) return;

  const std::string saveFolder = TextTools::InFolder(chosen, kSaveFolderName);
  if (!run.MakeFolder(saveFolder)) {
    // Without the save folder nothing can be saved; say so and stop.
    TellReadFailures(run);
    UserDialogs::ShowMessage(run.SaveFailures().back() + "\n\nNo file has been saved.",
                             Icon::Critical);
    return;
  }
  // One save at a time into a save folder: another one saving there now would replace this
  // one's files in silence, or this one its.
  const auto hold = WindowsApi::HoldSaveFolder(saveFolder);
  if (!hold) {
    run.InUse(saveFolder);
    TellReadFailures(run);
    UserDialogs::ShowMessage(run.SaveFailures().back() +
                                 " Please try again once it has finished.\n\nNo file has been saved.",
                             Icon::Critical);
    return;
  }
  const std::string v4Folder = TextTools::InFolder(saveFolder, "V4");
  // Without V4 the V4 files fail to copy and are listed too; the others are still saved.
  run.MakeFolder(v4Folder);
  CopyFiles(finds.files, saveFolder, v4Folder, run);
  CopyFolders(finds.folders, saveFolder, run);

  // An empty V4 left behind harms nothing, so a failure to remove it is not worth a word.
  if (FileTools::FolderExists(v4Folder) && !run.HoldsFiles(v4Folder, false))
    WindowsApi::RemoveEmptyFolder(v4Folder);
  // A README that cannot be written is passed over silently; an older one kept is said.
  WriteReadme(saveFolder, run);

  TellReadFailures(run);
  const std::vector<std::string>& problems = run.SaveFailures();
  if (problems.empty()) {
    UserDialogs::ShowMessage(kSaved, Icon::Information);
    FileTools::OpenInShell(saveFolder);
    return;
  }
  const bool savedAny = run.Copied() > 0;
  UserDialogs::ShowMessage(ProblemReport(saveFolder, problems, savedAny), Icon::Critical);
  if (savedAny) FileTools::OpenInShell(saveFolder);
}

}  // namespace SaveFolder
