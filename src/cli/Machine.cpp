#include "cli/Machine.h"

#include <filesystem>
#include <system_error>

#include "cli/NativePaths.h"
#include "cli/SaveTarget.h"
#include "scan/SaveFolder.h"
#include "scan/ScanProcess.h"
#include "system/FileTools.h"
#include "system/HostSettings.h"
#include "system/TextTools.h"
#include "system/WindowsApi.h"

namespace Cli {
namespace {

// Whether the registry the host reads opens: HKEY_LOCAL_MACHINE\Software is in every
// Windows registry.
bool RegistryOpens() {
  WindowsApi::RegistryKey* key = nullptr;
  if (WindowsApi::OpenMachineKey("Software", key) != WindowsApi::kErrorSuccess) return false;
  WindowsApi::CloseKey(key);
  return true;
}

// The export --registry or QUILLFEN_REGISTRY names; without either, the registry files of
// ROOT's own Windows, which the host reads through windir.
std::string SetRegistry(const Request& request, HostSettings::Settings& settings) {
  std::string path;
  if (request.registry) {
    path = Absolute(*request.registry);
  } else if (settings.registry) {
    path = *settings.registry;
  } else {
    HostSettings::Use(settings);
    if (RegistryOpens()) return {};
    return "ROOT's Windows has no registry that can be read (system32\\config\\SOFTWARE or "
           "SYSTEM.DAT in its WINNT or WINDOWS folder): give its registry export with --registry "
           "FILE (or set QUILLFEN_REGISTRY)";
  }
  if (std::string problem = FileProblem(path, "registry export"); !problem.empty()) return problem;
  // The host opens the export without following a link: the one given here is followed now.
  std::error_code error;
  settings.registry = std::filesystem::canonical(path, error).string();
  HostSettings::Use(settings);
  return {};
}

std::string SetWindir(const std::string& windir, HostSettings::Settings& settings) {
  const bool onC = windir.size() >= 3 && (windir[0] == 'C' || windir[0] == 'c') &&
                   windir[1] == ':' && (windir[2] == '\\' || windir[2] == '/');
  // The local scan takes the system drive, and so its save folder, from windir's letter.
  if (!onC) return "--windir must name a folder on C: (ROOT), such as 'C:\\WINDOWS'";
  settings.windir = windir;
  HostSettings::Use(settings);
  return {};
}

// The drive scan's answer to "could not determine your Windows directory".
std::string WindowsFolderAnswer(const std::string& path, const std::string& root,
                                std::string& answer) {
  const std::string native = Absolute(path);
  std::string problem;
  if (!OpenUsableFolder(native, problem)) return "--windows-folder " + problem;
  answer = WindowsApi::WindowsPathOf(native);
  if (answer.size() < 2 || answer.compare(0, 2, "D:") != 0)
    return "--windows-folder must name a folder under ROOT";
  // A link out of the drive is not there for the scan, which would drop every file it found.
  if (!FileTools::FolderExists(answer))
    return "--windows-folder " + Quoted(path) + " leads outside " + Quoted(root) +
           ", where the scan cannot follow it";
  return {};
}

SetUpResult Refused(std::string problem) {
  SetUpResult result;
  result.error = std::move(problem);
  return result;
}

char LetterOf(ScanKind kind) {
  switch (kind) {
    case ScanKind::Computer: return 'C';
    case ScanKind::Drive: return 'D';
    case ScanKind::Folder: return 'E';
  }
  return 'D';
}

}  // namespace

std::string NativeOf(const std::string& windowsPath) {
  return WindowsApi::NativePathOf(windowsPath).value_or("");
}

SetUpResult SetUpMachine(const Request& request) {
  Folders folders;
  std::string problem;
  folders.root = Absolute(request.root);
  folders.scanned = OpenUsableFolder(folders.root, problem);
  if (!folders.scanned) return Refused(problem);
  if (request.saveTo) {
    folders.dest = Absolute(*request.saveTo);
    folders.destFolder = OpenUsableFolder(folders.dest, problem);
    if (!folders.destFolder) return Refused("DEST " + problem);
  }
  // ";" ends an entry of the drive table.
  if ((folders.root + folders.dest).find(';') != std::string::npos)
    return Refused("a path holding ';' cannot be used");
  // The machine the scan sees: the environment's settings, but for its drives.
  HostSettings::Settings settings = HostSettings::FromEnvironment();
  settings.drives = std::string(1, LetterOf(request.kind)) + "=" + folders.root;
  if (request.saveTo) *settings.drives += ";F=" + folders.dest;
  HostSettings::Use(settings);

  Machine machine;
  machine.scanned = std::string(1, LetterOf(request.kind)) + ":\\";
  machine.scannedNative = folders.root;
  machine.saveToDest = request.saveTo.has_value();
  machine.saveFolder = TextTools::InFolder(machine.saveToDest ? "F:\\" : "C:\\",
                                           SaveFolder::kSaveFolderName);
  folders.saveFolder = NativeOf(machine.saveFolder);
  folders.saved = OpenFolder(folders.saveFolder);  // none yet: nothing lies inside it
  if (problem = SaveProblem(folders); !problem.empty()) return Refused(problem);

  SetUpResult result;
  if (request.json) {
    result.report = ReportTarget::Open(*request.json, folders, problem);
    if (!result.report) return Refused(problem);
  }
  if (request.kind == ScanKind::Computer) {
    // Without --windir the host's windir is WINNT or WINDOWS at the top of C: (ROOT); one of
    // the environment would be another machine's.
    settings.windir.reset();
    HostSettings::Use(settings);
    if (request.windir) problem = SetWindir(*request.windir, settings);
    if (problem.empty()) problem = SetRegistry(request, settings);
  }
  if (problem.empty() && request.windowsFolder)
    problem = WindowsFolderAnswer(*request.windowsFolder, folders.root, machine.windowsFolder);
  if (!problem.empty()) return Refused(problem);
  result.machine = machine;
  return result;
}

bool HasWindowsFolder() { return WindowsApi::EnvironmentValue("windir").has_value(); }

}  // namespace Cli
