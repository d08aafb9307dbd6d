// The scan of another drive that holds a Windows installation.
#include "scan/QuillfenSpecific.h"
#include "scan/SaveFolder.h"
#include "scan/ScanProcess.h"
#include "scan/ScanSources.h"
#include "system/FileTools.h"
#include "system/TextTools.h"
#include "system/UserDialogs.h"
#include "system/WindowsApi.h"
#include "system/WindowsFolderNames.h"
#include "system/WindowsTools.h"

namespace ScanProcess {
namespace {

constexpr const char* kNoWindowsFolder =
    "The program could not determine your Windows directory. Click OK to select it manually.";
constexpr const char* kWindowsFolderPrompt =
    "Select the Windows directory on the drive you'd like to scan.";

// What the drive's Program Files folder offers: V2/V3.1 files, then V4 files, and the
// OfficeUpdate folder when it is worth copying whole (by the local scan's own rule).
ScanSources::Finds ScanProgramFiles(const std::string& programFiles) {
  ScanSources::Finds finds;
  // Without a Program Files folder there is nothing to list; joining names to empty text
  // would name folders at the root of whatever drive is current.
  if (programFiles.empty()) return finds;
  const std::string windowsUpdate = TextTools::InFolder(programFiles, "WindowsUpdate");
  ScanSources::CollectQualifying(windowsUpdate, QuillfenSpecific::IsV3InventoryFile, finds);
  ScanSources::CollectQualifying(TextTools::InFolder(windowsUpdate, "V4"),
                                 QuillfenSpecific::IsV4File, finds);
  const std::string officeUpdate = TextTools::InFolder(programFiles, "OfficeUpdate");
  const ScanSources::FolderVerdict verdict = ScanSources::JudgeFolder(officeUpdate, true);
  if (verdict.qualifies) finds.folders.push_back(officeUpdate);
  if (!verdict.unreadable.empty()) finds.unreadable.push_back(verdict.unreadable);
  return finds;
}

}  // namespace

std::string FindWindowsFolder(const std::string& driveRoot) {
  const std::string root = TextTools::WithFinalSeparator(driveRoot);

  std::string candidate;
  for (const char* name : WindowsFolderNames::kNames) {
    if (FileTools::FolderExists(root + name)) {
      candidate = root + name;
      break;
    }
  }
  if (candidate.empty()) {
    if (UserDialogs::ShowMessage(kNoWindowsFolder, UserDialogs::Icon::Warning,
                                 UserDialogs::Buttons::OkCancel,
                                 UserDialogs::Question::ChooseWindowsFolder) !=
        UserDialogs::Answer::Ok)
      return {};
    candidate = FileTools::BrowseForFolder(0, kWindowsFolderPrompt,
                                           UserDialogs::Question::WindowsFolder);
  }
  if (candidate.empty() || !FileTools::FolderExists(candidate)) return {};
  // A picked drive root already ends in "\".
  return TextTools::WithFinalSeparator(candidate);
}

void ScanDrive(const std::string& driveText) {
  // One run: what the listings find of each file answers the later questions about it.
  WindowsApi::RunScope run;
  const std::string root = driveText.substr(0, 2) + "\\";
  ScanSources::Finds finds = ScanProgramFiles(WindowsTools::FindProgramFilesFolder(root));
  // The folders above are looked up by name in the root. A root that may not be listed hides
  // what it holds all the same: it is said (first, as it holds the rest), never taken for an
  // empty drive.
  if (FileTools::FolderExists(root) && !WindowsApi::CanListFolder(root))
    finds.unreadable.insert(finds.unreadable.begin(), root);

  // Without a Windows folder the scan ends silently and drops what it found.
  const std::string windowsFolder = FindWindowsFolder(root);
  if (windowsFolder.empty()) return;
  switch (QuillfenSpecific::LookForV4Log(windowsFolder)) {
    case QuillfenSpecific::V4Log::Accepted:
      finds.files.push_back(QuillfenSpecific::V4LogPath);
      break;
    case QuillfenSpecific::V4Log::Undated:
      finds.undated.push_back(TextTools::InFolder(windowsFolder, "Windows Update.log"));
      break;
    case QuillfenSpecific::V4Log::NotAccepted:
      break;
  }

  SaveFolder::SaveFoundFiles(finds);
}

}  // namespace ScanProcess
