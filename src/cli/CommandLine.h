#pragma once
// What the command line asks for: one of the three scans over a folder, and its options.
// Paths are kept as the bytes the shell gave, so that a name that is not UTF-8 still names
// its folder.
#include <optional>
#include <string>

namespace Cli {

enum class ScanKind { Computer, Drive, Folder };

struct Request {
  ScanKind kind = ScanKind::Drive;
  std::string root;  // ROOT or DIR, as given
  std::optional<std::string> saveTo;
  std::optional<std::string> json;
  std::optional<std::string> registry;
  std::optional<std::string> windir;
  std::optional<std::string> windowsFolder;
};

// A request, or what to print instead (help, version, a usage error) and the exit status.
struct Parsed {
  std::optional<Request> request;
  std::string out;
  std::string err;
  int status = 0;
};
Parsed ParseCommandLine(int argc, char** argv);

// "quillfen-scan: <text>" and the hint GNU programs give after a usage error.
std::string UsageError(const std::string& text);

}  // namespace Cli
