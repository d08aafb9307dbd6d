#include "cli/NativePaths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "cli/Containment.h"
#include "system/NativePath.h"

namespace Cli {

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

std::string Absolute(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  return PosixHost::NormalNative(fs::absolute(fs::path(path), error).string());
}

Handle OpenUsableFolder(const std::string& path, std::string& problem) {
  Handle folder = OpenFolder(path);
  if (!folder) {
    problem = errno == ENOTDIR ? Quoted(path) + " is not a folder"
                               : Quoted(path) + ": " + std::strerror(errno);
    return {};
  }
  // The running machine's own files are no disk; the engine would see nothing there.
  if (InMachineArea(folder.get())) {
    problem = Quoted(path) + " is a folder of the running machine, not a disk";
    return {};
  }
  // The scan lists it, and a save lists what it replaces.
  if (const Handle listed = Handle::Adopt(openat(folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
      !listed) {
    problem = "cannot read " + Quoted(path) + ": " + std::strerror(errno);
    return {};
  }
  return folder;
}

std::string InsideText(Placement placement, const std::string& what, const std::string& where,
                       const std::string& after) {
  switch (placement) {
    case Placement::Outside: return {};
    case Placement::Inside: return what + " lies inside " + where + after;
    case Placement::Unknown: return "cannot tell whether " + what + " lies inside " + where + after;
  }
  return {};
}

std::string FileProblem(const std::string& path, const std::string& what) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0)
    return what + " " + Quoted(path) + ": " + std::strerror(errno);
  if (!S_ISREG(info.st_mode)) return what + " " + Quoted(path) + " is not a file";
  if (access(path.c_str(), R_OK) != 0) return "cannot read " + what + " " + Quoted(path);
  return {};
}

}  // namespace Cli
