#include "cli/Machine.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "cli/NativePaths.h"
#include "scan/SaveFolder.h"
#include "system/TextTools.h"
#include "system/WindowsApi.h"

namespace Cli {
namespace {

namespace fs = std::filesystem;

// A folder link in the save folder that leads into the scanned tree would have the save
// write there; the host follows links that stay on their drive.
bool SaveFolderReachesInto(const std::string& saveNative, const std::string& rootReal) {
  const std::string saveReal = Real(saveNative);
  std::error_code error;
  for (fs::recursive_directory_iterator it(saveNative, error), end; !error && it != end;
       it.increment(error)) {
    if (!it->is_symlink(error)) continue;
    const std::string target = Real(it->path().string());
    if (Inside(target, rootReal) && !Inside(target, saveReal)) return true;
  }
  return false;
}

// What a save may never touch: the scanned tree, except a save folder that lies in it (the
// computer scan without DEST).
std::string OverlapProblem(const Request& request, const std::string& root,
                           const std::string& saveNative) {
  const std::string rootReal = Real(root);
  if (request.saveTo) {
    const std::string dest = Absolute(*request.saveTo);
    if (Inside(Real(dest), rootReal))
      return "DEST " + Quoted(dest) + " lies inside " + Quoted(root) +
             ", which is never written to; save somewhere else";
    const std::string saveReal = Real(saveNative);
    // A save folder not made yet is a name in DEST.
    const std::string saveAt =
        saveReal.empty() ? Real(dest) + "/" + fs::path(saveNative).filename().string() : saveReal;
    if (Inside(rootReal, saveAt))
      return Quoted(root) + " lies inside the save folder " + Quoted(saveNative);
  }
  if (SaveFolderReachesInto(saveNative, rootReal))
    return "a link in the save folder " + Quoted(saveNative) + " leads into " + Quoted(root);
  return {};
}

// The report is written last; a place it cannot go is better said before the scan.
std::string ReportProblem(const std::string& path, const std::string& root) {
  const std::string folder = fs::path(Absolute(path)).parent_path().string();
  struct stat info;
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    return "--json " + Quoted(path) + ": no such folder " + Quoted(folder);
  // A report that is a link is written where the link leads.
  const std::string target = Real(path);
  if (Inside(target.empty() ? Real(folder) : target, Real(root)))
    return "--json " + Quoted(path) + " lies inside " + Quoted(root) +
           ", which is never written to";
  return {};
}

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
std::string SetRegistry(const Request& request) {
  std::string path;
  if (request.registry) {
    path = Absolute(*request.registry);
  } else if (const char* set = std::getenv("QUILLFEN_REGISTRY"); set && *set) {
    path = set;
  } else {
    unsetenv("QUILLFEN_REGISTRY");
    if (RegistryOpens()) return {};
    return "ROOT's Windows has no registry that can be read (system32\\config\\SOFTWARE or "
           "SYSTEM.DAT in its WINNT or WINDOWS folder): give its registry export with --registry "
           "FILE (or set QUILLFEN_REGISTRY)";
  }
  if (std::string problem = FileProblem(path, "registry export"); !problem.empty()) return problem;
  // The host opens the export without following a link: the one given here is followed now.
  setenv("QUILLFEN_REGISTRY", Real(path).c_str(), 1);
  return {};
}

std::string SetWindir(const std::string& windir) {
  const bool onC = windir.size() >= 3 && (windir[0] == 'C' || windir[0] == 'c') &&
                   windir[1] == ':' && (windir[2] == '\\' || windir[2] == '/');
  // The local scan takes the system drive, and so its save folder, from windir's letter.
  if (!onC) return "--windir must name a folder on C: (ROOT), such as 'C:\\WINDOWS'";
  setenv("windir", windir.c_str(), 1);
  return {};
}

// The drive scan's answer to "could not determine your Windows directory".
std::string WindowsFolderAnswer(const std::string& path, std::string& answer) {
  const std::string native = Absolute(path);
  if (std::string problem = FolderProblem(native); !problem.empty())
    return "--windows-folder " + problem;
  answer = WindowsApi::WindowsPathOf(native);
  if (answer.size() < 2 || answer.compare(0, 2, "D:") != 0)
    return "--windows-folder must name a folder under ROOT";
  return {};
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
  const std::string root = Absolute(request.root);
  if (std::string problem = FolderProblem(root); !problem.empty()) return {std::nullopt, problem};
  const std::string dest = request.saveTo ? Absolute(*request.saveTo) : std::string();
  if (request.saveTo) {
    if (std::string problem = FolderProblem(dest); !problem.empty())
      return {std::nullopt, "DEST " + problem};
  }
  // ";" ends an entry of the drive table.
  if ((root + dest).find(';') != std::string::npos)
    return {std::nullopt, "a path holding ';' cannot be used"};
  std::string drives = std::string(1, LetterOf(request.kind)) + "=" + root;
  if (request.saveTo) drives += ";F=" + dest;
  setenv("QUILLFEN_DRIVES", drives.c_str(), 1);
  if (request.json) {
    if (std::string problem = ReportProblem(*request.json, root); !problem.empty())
      return {std::nullopt, problem};
  }

  Machine machine;
  machine.scanned = std::string(1, LetterOf(request.kind)) + ":\\";
  machine.scannedNative = root;
  machine.saveToDest = request.saveTo.has_value();
  machine.saveFolder = TextTools::InFolder(machine.saveToDest ? "F:\\" : "C:\\",
                                           SaveFolder::kSaveFolderName);
  if (std::string problem = OverlapProblem(request, root, NativeOf(machine.saveFolder));
      !problem.empty())
    return {std::nullopt, problem};

  std::string problem;
  if (request.kind == ScanKind::Computer) {
    // Without --windir the host's windir is WINNT or WINDOWS at the top of C: (ROOT); one of
    // the environment would be another machine's.
    if (request.windir)
      problem = SetWindir(*request.windir);
    else
      unsetenv("windir");
    if (problem.empty()) problem = SetRegistry(request);
  }
  if (problem.empty() && request.windowsFolder)
    problem = WindowsFolderAnswer(*request.windowsFolder, machine.windowsFolder);
  if (!problem.empty()) return {std::nullopt, problem};
  return {machine, {}};
}

bool HasWindowsFolder() { return WindowsApi::EnvironmentValue("windir").has_value(); }

}  // namespace Cli
