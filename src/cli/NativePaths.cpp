#include "cli/NativePaths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "system/posix/MachineArea.h"
#include "system/posix/NativePath.h"

namespace Cli {

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

std::string Absolute(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  std::string text = fs::absolute(fs::path(path), error).lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

std::string Real(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? resolved : "";
}

bool Inside(const std::string& inner, const std::string& outer) {
  return !inner.empty() && !outer.empty() && PosixHost::IsInside(inner, outer);
}

std::string FolderProblem(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return Quoted(path) + ": " + std::strerror(errno);
  if (!S_ISDIR(info.st_mode)) return Quoted(path) + " is not a folder";
  DIR* folder = opendir(path.c_str());
  if (!folder) return "cannot read " + Quoted(path) + ": " + std::strerror(errno);
  closedir(folder);
  // The running machine's own files are no disk; the engine would see nothing there.
  if (PosixHost::IsMachineArea(Real(path)))
    return Quoted(path) + " is a folder of the running machine, not a disk";
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
