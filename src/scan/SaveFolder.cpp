#include "scan/SaveFolder.h"

#include "scan/FailureText.h"
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

// What one run of the save sequence managed, and each thing it could not do.
struct Outcome {
  int saved = 0;
  std::vector<std::string> problems;
};

bool MakeFolderIfMissing(const std::string& folder) {
  return FileTools::FolderExists(folder) || WindowsApi::MakeFolder(folder);
}

void CopyFiles(const std::vector<std::string>& files, const std::string& saveFolder,
               const std::string& v4Folder, Outcome& outcome) {
  for (const auto& source : files) {
    // A file that has gone since the scan is passed over without a word.
    if (!FileTools::FileExists(source)) continue;
    const std::string name = FileTools::LastPathPart(source);
    const std::string& target = QuillfenSpecific::IsV4File(name) ? v4Folder : saveFolder;
    // The copy refuses a file onto itself (the scanned folder picked as the save place),
    // so such a file is reported here and stays as it was.
    if (WindowsApi::CopyFileReplacing(source, TextTools::InFolder(target, name)))
      ++outcome.saved;
    else
      outcome.problems.push_back(FailureText::kCopyFile + source);
  }
}

void CopyFolders(const std::vector<std::string>& folders, const std::string& saveFolder,
                 Outcome& outcome) {
  for (const auto& source : folders) {
    if (!FileTools::FolderExists(source)) continue;
    const std::string target = TextTools::InFolder(saveFolder, FileTools::LastPathPart(source));
    if (FileTools::CopyFolder(source, target))
      ++outcome.saved;
    else
      outcome.problems.push_back(FailureText::kCopyFolder + source);
  }
}

std::string ProblemReport(const std::string& saveFolder, const Outcome& outcome) {
  std::string text = "Saving to " + saveFolder + " did not fully succeed:\n";
  for (const auto& problem : outcome.problems) text += "\n" + problem;
  text += outcome.saved > 0
              ? "\n\nThe other files have been saved. Press OK to open the save directory."
              : "\n\nNo file has been saved.";
  return text;
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

void SaveFoundFiles(const std::vector<std::string>& foundFiles,
                    const std::vector<std::string>& foundFolders) {
  if (foundFiles.empty() && foundFolders.empty()) {
    UserDialogs::ShowMessage(kNothingFound, Icon::Critical);
    return;
  }
  UserDialogs::ShowMessage(kAskForLocation, Icon::Information);
  const std::string chosen = FileTools::BrowseForFolder(0, kPickerPrompt);
  if (chosen.empty()) return;

  const std::string saveFolder = TextTools::InFolder(chosen, kSaveFolderName);
  if (!MakeFolderIfMissing(saveFolder)) {
    // Without the save folder nothing can be saved; say so and stop.
    UserDialogs::ShowMessage(std::string(FailureText::kMakeFolder) + saveFolder +
                                 "\n\nNo file has been saved.",
                             Icon::Critical);
    return;
  }
  Outcome outcome;
  const std::string v4Folder = TextTools::InFolder(saveFolder, "V4");
  // Without V4 the V4 files fail to copy and are listed too; the others are still saved.
  if (!MakeFolderIfMissing(v4Folder)) outcome.problems.push_back(FailureText::kMakeFolder + v4Folder);

  CopyFiles(foundFiles, saveFolder, v4Folder, outcome);
  CopyFolders(foundFolders, saveFolder, outcome);

  if (FileTools::FolderExists(v4Folder) && FileTools::CountFiles(v4Folder, false) < 1 &&
      !WindowsApi::RemoveEmptyFolder(v4Folder))
    outcome.problems.push_back(FailureText::kRemoveFolder + v4Folder);
  WriteReadme(saveFolder);  // a README that cannot be written is passed over silently

  if (outcome.problems.empty()) {
    UserDialogs::ShowMessage(kSaved, Icon::Information);
    FileTools::OpenInShell(saveFolder);
    return;
  }
  UserDialogs::ShowMessage(ProblemReport(saveFolder, outcome), Icon::Critical);
  if (outcome.saved > 0) FileTools::OpenInShell(saveFolder);
}

}  // namespace SaveFolder
