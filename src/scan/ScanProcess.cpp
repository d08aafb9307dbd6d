// The scan of this computer: its steps run strictly in order, each one a console line.
#include "scan/ScanProcess.h"

#include "scan/ConsoleTools.h"
#include "scan/FailureText.h"
#include "scan/QuillfenSpecific.h"
#include "scan/SaveFolder.h"
#include "scan/ScanOptions.h"
#include "scan/ScanSources.h"
#include "scan/TimeTools.h"
#include "system/FileTools.h"
#include "system/TextTools.h"
#include "system/WindowsApi.h"
#include "system/WindowsTools.h"

namespace ScanProcess {
namespace {

using TextTools::InFolder;

// The paths of one local scan, worked out once at its start.
struct LocalPaths {
  std::string programFiles;
  std::string windowsUpdate;
  std::string v4;
  std::string officeUpdate;
  std::string save;
  std::string v4Save;
  std::string wuTemp;
};

LocalPaths WorkOutPaths() {
  LocalPaths paths;
  const std::string drive = WindowsTools::GetSystemDrive();
  paths.programFiles = FileTools::GetProgramFilesDir();
  paths.windowsUpdate = InFolder(paths.programFiles, "WindowsUpdate");
  paths.v4 = InFolder(paths.windowsUpdate, "V4");
  paths.officeUpdate = InFolder(paths.programFiles, "OfficeUpdate");
  paths.save = drive + ":\\" + SaveFolder::kSaveFolderName;
  paths.v4Save = InFolder(paths.save, "V4");
  paths.wuTemp = drive + ":\\WUTemp";
  return paths;
}

// Writes console lines and carries out the single file operations of the scan, reporting
// each one that fails as its own line so that the scan can go on.
class ScanLog {
 public:
  explicit ScanLog(ScreenPorts::TextBox& console) : console_(console) {}

  void Line(const std::string& message) {
    ConsoleTools::ConsoleWrite(console_, TimeTools::NowText() + " - " + message, true);
  }

  void MakeFolderIfMissing(const std::string& folder) {
    if (!FileTools::FolderExists(folder) && !WindowsApi::MakeFolder(folder))
      Line(FailureText::kMakeFolder + folder);
  }
  void RemoveFolder(const std::string& folder) {
    if (!WindowsApi::RemoveEmptyFolder(folder)) Line(FailureText::kRemoveFolder + folder);
  }
  // `name` is how the console names the file: the name it was found under.
  void CopyFile(const std::string& source, const std::string& destination,
                const std::string& name) {
    if (!WindowsApi::CopyFileReplacing(source, destination)) Line(FailureText::kCopyFile + name);
  }
  void CopyFolder(const std::string& source, const std::string& destination) {
    if (!FileTools::CopyFolder(source, destination)) Line(FailureText::kCopyFolder + source);
  }

 private:
  ScreenPorts::TextBox& console_;
};

// Lines 4 and 5: a wanted name is copied when it is not too new, and named either way.
void TakeIfNotTooNew(ScanLog& log, const std::string& folder, const std::string& name,
                     const std::string& saveFolder) {
  const std::string source = InFolder(folder, name);
  if (TimeTools::IsNotNewerThan(TimeTools::kAgeLimit, source)) {
    log.Line("File found: " + name);
    log.CopyFile(source, InFolder(saveFolder, name), name);
  } else {
    log.Line("File found but too new: " + name);
  }
}

void ScanV3Phase(ScanLog& log, const LocalPaths& paths) {
  for (const auto& name : ScanSources::VisibleFiles(paths.windowsUpdate)) {
    if (QuillfenSpecific::IsV3InventoryFile(name))
      TakeIfNotTooNew(log, paths.windowsUpdate, name, paths.save);
  }
}

void ScanV4Phase(ScanLog& log, const LocalPaths& paths) {
  for (const auto& name : ScanSources::VisibleFiles(paths.v4)) {
    // The V4 save folder is made for the first listed file, whatever its name; the clean-up
    // below removes it again when nothing was put in it.
    log.MakeFolderIfMissing(paths.v4Save);
    if (QuillfenSpecific::IsV4File(name)) TakeIfNotTooNew(log, paths.v4, name, paths.v4Save);
  }

  const std::string windowsFolder = WindowsApi::EnvironmentValue("windir").value_or("");
  if (QuillfenSpecific::FindV4Log(windowsFolder)) {
    log.Line("A Windows Update V4 log has been found.");
    log.MakeFolderIfMissing(paths.v4Save);
    log.CopyFile(QuillfenSpecific::V4LogPath, InFolder(paths.v4Save, "Windows Update.log"),
                 "Windows Update.log");
  } else {
    log.Line("No corresponding Windows Update V4 log has been found.");
  }

  if (FileTools::CountFiles(paths.v4Save, false) <= 0) {
    log.Line("No valid Windows Update V4 files found.");
    if (FileTools::FolderExists(paths.v4Save)) log.RemoveFolder(paths.v4Save);
  }
}

void ScanOfficeUpdatePhase(ScanLog& log, const LocalPaths& paths) {
  if (!ScanSources::FolderQualifies(paths.officeUpdate, true)) {
    log.Line("No corresponding OfficeUpdate directory found.");
    return;
  }
  log.Line("Found a non-empty OfficeUpdate directory.");
  log.CopyFolder(paths.officeUpdate, InFolder(paths.save, "OfficeUpdate"));
}

// Only files at the root of WUTemp make it worth copying; the copy then takes the whole
// tree. No console line, whatever the flags say.
void CopyWUTemp(ScanLog& log, const LocalPaths& paths) {
  if (ScanSources::FolderQualifies(paths.wuTemp, false))
    log.CopyFolder(paths.wuTemp, InFolder(paths.save, "WUTemp"));
}

void FinishSaveFolder(ScanLog& log, const LocalPaths& paths,
                      ScreenPorts::Showable& openFolderButton) {
  if (FileTools::CountFiles(paths.save, true) > 0) {
    SaveFolder::WriteReadme(paths.save);  // the scan goes on whether or not it was written
    openFolderButton.SetVisible(true);
    log.Line("Scan ended. Saved files can be found in " + paths.save + ".");
    return;
  }
  if (FileTools::FolderExists(paths.save)) log.RemoveFolder(paths.save);
  log.Line("Scan ended. No corresponding files have been found.");
}

void RunLocalScan(ScanLog& log, ScreenPorts::Showable& openFolderButton) {
  const LocalPaths paths = WorkOutPaths();
  const bool scanV3 = ScanOptions::ScanV3Inventories;
  const bool scanV4 = ScanOptions::ScanV4Inventories;
  const bool scanOU = ScanOptions::ScanOUInventories;

  // The three checks run whatever the flags say; each aborts before the save folder exists.
  if (paths.programFiles.empty()) {
    log.Line("The Quillfen could not determine the Program Files directory path. Scan aborted.");
    return;
  }
  if (!FileTools::FolderExists(paths.windowsUpdate)) {
    log.Line("The WindowsUpdate directory does not exist in " + paths.programFiles +
             ". Scan aborted.");
    return;
  }
  if (FileTools::CountFiles(paths.windowsUpdate, true) <= 0) {
    log.Line("The WindowsUpdate directory exists but is empty. Scan aborted.");
    return;
  }

  log.MakeFolderIfMissing(paths.save);
  if (scanV3) ScanV3Phase(log, paths);
  if (scanV4) ScanV4Phase(log, paths);
  if (scanOU) ScanOfficeUpdatePhase(log, paths);
  CopyWUTemp(log, paths);
  FinishSaveFolder(log, paths, openFolderButton);
}

}  // namespace

void ScanLocalComputer(ScreenPorts::TextBox& console, ScreenPorts::Window& progressWindow,
                       ScreenPorts::Showable& openFolderButton) {
  ScanLog log(console);
  RunLocalScan(log, openFolderButton);
  progressWindow.Unload();  // on every path, the aborts included
}

}  // namespace ScanProcess
