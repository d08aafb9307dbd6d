// The scan of this computer: its steps run strictly in order, each one a console line.
#include "scan/ScanProcess.h"

#include "scan/ConsoleTools.h"
#include "scan/QuillfenSpecific.h"
#include "scan/SaveFolder.h"
#include "scan/ScanOptions.h"
#include "scan/ScanSources.h"
#include "scan/TimeTools.h"
#include "system/FailureText.h"
#include "system/FileTools.h"
#include "system/FolderCopy.h"
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

LocalPaths WorkOutPaths(const std::string& saveFolder) {
  LocalPaths paths;
  const std::string drive = WindowsTools::GetSystemDrive();
  paths.programFiles = FileTools::GetProgramFilesDir();
  paths.windowsUpdate = InFolder(paths.programFiles, "WindowsUpdate");
  paths.v4 = InFolder(paths.windowsUpdate, "V4");
  paths.officeUpdate = InFolder(paths.programFiles, "OfficeUpdate");
  paths.save = saveFolder.empty() ? drive + ":\\" + SaveFolder::kSaveFolderName : saveFolder;
  paths.v4Save = InFolder(paths.save, "V4");
  paths.wuTemp = drive + ":\\WUTemp";
  return paths;
}

// Writes console lines and carries out the single file operations of the scan through one
// copy run, writing each failure as its own line as soon as it happens, so that the scan can
// go on and the console tells every failure once.
class ScanLog {
 public:
  explicit ScanLog(ScreenPorts::TextBox& console) : console_(console) {}

  void Line(const std::string& message) {
    ConsoleTools::ConsoleWrite(console_, TimeTools::NowText() + " - " + message, true);
  }

  // `copyOf`: the folder the new one copies, whose access it keeps.
  bool MakeFolderIfMissing(const std::string& folder, const std::string& copyOf = {}) {
    const bool made = run_.MakeFolder(folder, copyOf);
    TellFailures();
    return made;
  }
  void RemoveFolder(const std::string& folder) {
    run_.RemoveFolder(folder);
    TellFailures();
  }
  // `name` is how the console names the file: the name it was found under.
  void CopyFile(const std::string& source, const std::string& destination,
                const std::string& name) {
    run_.CopyFile(source, destination, name);
    TellFailures();
  }
  void CopyFolder(const std::string& source, const std::string& destination) {
    const bool whole = FileTools::CopyFolderInto(run_, source, destination);
    TellFailures();
    if (!whole) FileTools::TellCopyFolderFailed();
  }
  // Names of the files directly in a folder; one that cannot be read is said.
  std::vector<std::string> VisibleFiles(const std::string& folder) {
    std::vector<std::string> unreadable;
    auto names = ScanSources::VisibleFiles(folder, unreadable);
    for (const auto& unread : unreadable) CannotRead(unread);
    return names;
  }
  void CannotRead(const std::string& folder) {
    run_.CannotRead(folder);
    TellFailures();
  }
  void CannotDate(const std::string& name) {
    run_.CannotDate(name);
    TellFailures();
  }
  void InUse(const std::string& saveFolder) {
    run_.InUse(saveFolder);
    TellFailures();
  }
  // README.TXT, and a line when an older one could not be replaced.
  void WriteReadme(const std::string& saveFolder) {
    SaveFolder::WriteReadme(saveFolder, run_);
    TellFailures();
  }

  bool HoldsFiles(const std::string& folder, bool recurse) const {
    return run_.HoldsFiles(folder, recurse);
  }
  // Whether a file of this scan was to be saved and could not be.
  bool CopyFailed() const { return run_.CopyFailed(); }

 private:
  void TellFailures() {
    const auto& failures = run_.Failures();
    for (; told_ < failures.size(); ++told_) Line(failures[told_]);
  }

  ScreenPorts::TextBox& console_;
  FileTools::CopyRun run_;
  std::size_t told_ = 0;
};

// Lines 4 and 5: a wanted name is copied when it is not too new, and named either way. One
// whose date cannot be read is said, and neither found nor copied.
void TakeIfNotTooNew(ScanLog& log, const std::string& folder, const std::string& name,
                     const std::string& saveFolder) {
  const std::string source = InFolder(folder, name);
  switch (TimeTools::AgeOf(source, TimeTools::kAgeLimit)) {
    case TimeTools::Age::NotNewer:
      log.Line("File found: " + name);
      log.CopyFile(source, InFolder(saveFolder, name), name);
      break;
    case TimeTools::Age::TooNew:
      log.Line("File found but too new: " + name);
      break;
    case TimeTools::Age::Undated:
      log.CannotDate(name);
      break;
  }
}

void ScanV3Phase(ScanLog& log, const LocalPaths& paths) {
  for (const auto& name : log.VisibleFiles(paths.windowsUpdate)) {
    if (QuillfenSpecific::IsV3InventoryFile(name))
      TakeIfNotTooNew(log, paths.windowsUpdate, name, paths.save);
  }
}

void ScanV4Phase(ScanLog& log, const LocalPaths& paths) {
  for (const auto& name : log.VisibleFiles(paths.v4)) {
    // The V4 save folder is made for the first listed file, whatever its name; the clean-up
    // below removes it again when nothing was put in it. It is open to no more than the V4
    // folder it copies.
    log.MakeFolderIfMissing(paths.v4Save, paths.v4);
    if (QuillfenSpecific::IsV4File(name)) TakeIfNotTooNew(log, paths.v4, name, paths.v4Save);
  }

  const std::string windowsFolder = WindowsApi::EnvironmentValue("windir").value_or("");
  const QuillfenSpecific::V4Log v4Log = QuillfenSpecific::LookForV4Log(windowsFolder);
  if (v4Log == QuillfenSpecific::V4Log::Accepted) {
    log.Line("A Windows Update V4 log has been found.");
    log.MakeFolderIfMissing(paths.v4Save);
    log.CopyFile(QuillfenSpecific::V4LogPath, InFolder(paths.v4Save, "Windows Update.log"),
                 "Windows Update.log");
  } else {
    if (v4Log == QuillfenSpecific::V4Log::Undated) log.CannotDate("Windows Update.log");
    log.Line("No corresponding Windows Update V4 log has been found.");
  }

  if (!log.HoldsFiles(paths.v4Save, false)) {
    log.Line("No valid Windows Update V4 files found.");
    if (FileTools::FolderExists(paths.v4Save)) log.RemoveFolder(paths.v4Save);
  }
}

void ScanOfficeUpdatePhase(ScanLog& log, const LocalPaths& paths) {
  const ScanSources::FolderVerdict verdict = ScanSources::JudgeFolder(paths.officeUpdate, true);
  // A folder that could not be read is said, and the phase still ends as one that found
  // nothing.
  if (!verdict.unreadable.empty()) log.CannotRead(verdict.unreadable);
  if (!verdict.qualifies) {
    log.Line("No corresponding OfficeUpdate directory found.");
    return;
  }
  log.Line("Found a non-empty OfficeUpdate directory.");
  log.CopyFolder(paths.officeUpdate, InFolder(paths.save, "OfficeUpdate"));
}

// Only files at the root of WUTemp make it worth copying; the copy then takes the whole
// tree. No console line, whatever the flags say, unless the folder cannot be read.
void CopyWUTemp(ScanLog& log, const LocalPaths& paths) {
  const ScanSources::FolderVerdict verdict = ScanSources::JudgeFolder(paths.wuTemp, false);
  if (!verdict.unreadable.empty()) log.CannotRead(verdict.unreadable);
  if (verdict.qualifies) log.CopyFolder(paths.wuTemp, InFolder(paths.save, "WUTemp"));
}

void FinishSaveFolder(ScanLog& log, const LocalPaths& paths,
                      ScreenPorts::Showable& openFolderButton) {
  if (log.HoldsFiles(paths.save, true)) {
    log.WriteReadme(paths.save);  // the scan goes on whatever became of it
    openFolderButton.SetVisible(true);
    log.Line("Scan ended. Saved files can be found in " + paths.save + ".");
    return;
  }
  if (FileTools::FolderExists(paths.save)) log.RemoveFolder(paths.save);
  // After files were found and failed to copy, "none found" would contradict the lines above.
  log.Line(log.CopyFailed() ? "Scan ended. None of the files found could be saved."
                            : "Scan ended. No corresponding files have been found.");
}

// Step 4: a WindowsUpdate folder that holds no file it could be seen to hold. One that could
// not be read may hold files all the same, so it is not called empty.
void AbortWhenNothingToScan(ScanLog& log, const LocalPaths& paths, const FileTools::FileCount& count) {
  if (count.unreadable.empty()) {
    log.Line("The WindowsUpdate directory exists but is empty. Scan aborted.");
    return;
  }
  if (count.unreadable != paths.windowsUpdate) log.CannotRead(count.unreadable);
  log.Line("The WindowsUpdate directory exists but cannot be read. Scan aborted.");
}

void RunLocalScan(ScanLog& log, ScreenPorts::Showable& openFolderButton,
                  const std::string& saveFolder) {
  const LocalPaths paths = WorkOutPaths(saveFolder);
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
  const FileTools::FileCount count = FileTools::CountFilesIn(paths.windowsUpdate, true);
  if (count.files <= 0) {
    AbortWhenNothingToScan(log, paths, count);
    return;
  }

  // Without the save folder nothing can be saved: its line and a closing one end the scan.
  if (!log.MakeFolderIfMissing(paths.save)) {
    log.Line("Scan aborted. The save folder could not be made.");
    return;
  }
  // One save at a time into a save folder: another scan saving there now would replace this
  // one's files in silence, or this one its.
  const auto hold = WindowsApi::HoldSaveFolder(paths.save);
  if (!hold) {
    log.InUse(paths.save);
    log.Line("Scan aborted.");
    return;
  }
  if (scanV3) ScanV3Phase(log, paths);
  if (scanV4) ScanV4Phase(log, paths);
  if (scanOU) ScanOfficeUpdatePhase(log, paths);
  CopyWUTemp(log, paths);
  FinishSaveFolder(log, paths, openFolderButton);
}

}  // namespace

void ScanLocalComputer(ScreenPorts::TextBox& console, ScreenPorts::Window& progressWindow,
                       ScreenPorts::Showable& openFolderButton, const std::string& saveFolder) {
  ScanLog log(console);
  {
    // One run: what the listings find of each file answers the later questions about it.
    WindowsApi::RunScope run;
    RunLocalScan(log, openFolderButton, saveFolder);
  }
  progressWindow.Unload();  // on every path, the aborts included
}

}  // namespace ScanProcess
