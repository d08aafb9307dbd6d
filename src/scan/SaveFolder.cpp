#include "scan/SaveFolder.h"

#include "scan/QuillfenSpecific.h"
#include "scan/Resources.h"
#include "scan/ScanSources.h"
#include "system/FileTools.h"
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

void CopyFiles(const std::vector<std::string>& files, const std::string& saveFolder,
               const std::string& v4Folder, FileTools::CopyRun& run) {
  for (const auto& source : files) {
    // A file that has gone since the scan is passed over without a word.
    if (!FileTools::FileExists(source)) continue;
    const std::string name = FileTools::LastPathPart(source);
    const std::string& target = QuillfenSpecific::IsV4File(name) ? v4Folder : saveFolder;
    // The copy refuses a file onto itself (the scanned folder picked as the save place),
    // so such a file is reported and stays as it was.
    run.CopyFile(source, TextTools::InFolder(target, name), source);
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

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += "\n" + line;
  return text;
}

std::string ProblemReport(const std::string& saveFolder, const std::vector<std::string>& problems,
                          bool savedAny) {
  return "Saving to " + saveFolder + " did not fully succeed:\n" + Lines(problems) +
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

bool WriteReadme(const std::string& saveFolder) {
  const std::string path = TextTools::InFolder(saveFolder, kReadmeName);
  if (FileTools::FileExists(path) && !WindowsApi::DeleteOneFile(path)) return false;
  return SaveResourceToFile(kReadmeResource, path);
}

void SaveFoundFiles(const std::vector<std::string>& foundFiles) {
  SaveFoundFiles(ScanSources::Finds{foundFiles, {}, {}});
}

void SaveFoundFiles(const ScanSources::Finds& finds) {
  FileTools::CopyRun run;
  // What the scan could not read is told with the save's own failures.
  for (const auto& folder : finds.unreadable) run.CannotRead(folder);
  if (finds.files.empty() && finds.folders.empty()) {
    // A folder that could not be read may have held files: say which, beside "none found".
    const std::string unread = run.Failures().empty() ? "" : "\n" + Lines(run.Failures());
    UserDialogs::ShowMessage(kNothingFound + unread, Icon::Critical);
    return;
  }
  UserDialogs::ShowMessage(kAskForLocation, Icon::Information);
  const std::string chosen = FileTools::BrowseForFolder(0, kPickerPrompt);
  if (chosen.empty()) return;

  const std::string saveFolder = TextTools::InFolder(chosen, kSaveFolderName);
  if (!run.MakeFolder(saveFolder)) {
    // Without the save folder nothing can be saved; say so and stop.
    UserDialogs::ShowMessage(run.Failures().back() + "\n\nNo file has been saved.",
                             Icon::Critical);
    return;
  }
  const std::string v4Folder = TextTools::InFolder(saveFolder, "V4");
  // Without V4 the V4 files fail to copy and are listed too; the others are still saved.
  run.MakeFolder(v4Folder);
  CopyFiles(finds.files, saveFolder, v4Folder, run);
  CopyFolders(finds.folders, saveFolder, run);

  // An empty V4 left behind harms nothing, so a failure to remove it is not worth a word.
  if (FileTools::FolderExists(v4Folder) && FileTools::CountFiles(v4Folder, false) < 1)
    WindowsApi::RemoveEmptyFolder(v4Folder);
  WriteReadme(saveFolder);  // a README that cannot be written is passed over silently

  const std::vector<std::string>& problems = run.Failures();
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
