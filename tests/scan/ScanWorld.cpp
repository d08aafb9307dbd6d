#include "ScanWorld.h"

#include <sys/stat.h>

#include <ctime>
#include <fstream>
#include <sstream>

#include "scan/ScanProcess.h"

namespace scantest {

ScanWorld::ScanWorld()
    : drives("QUILLFEN_DRIVES", ("C=" + tree.Path("c") + ";D=" + tree.Path("d")).c_str()),
      registry("QUILLFEN_REGISTRY", tree.Path("machine.reg").c_str()) {
  tzset();
  tree.Folder("c");
  tree.Folder("d");
  SetProgramFilesDir("C:\\Program Files");
}

void ScanWorld::SetProgramFilesDir(const std::string& value) const {
  std::string escaped;
  for (char c : value) {
    if (c == '\\' || c == '"') escaped += '\\';
    escaped += c;
  }
  tree.File("machine.reg",
            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]"
            "\r\n\"ProgramFilesDir\"=\"" + escaped + "\"\r\n");
}

std::string ScanWorld::ScanLocal() {
  const int unloadsBefore = progress.unloads;
  ScanProcess::ScanLocalComputer(console, progress, openButton);
  EXPECT_EQ(progress.unloads, unloadsBefore + 1) << "the progress window must close";
  return MaskTimes(console.Text());
}

std::string MaskTimes(const std::string& console) {
  std::string masked;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = console.find("\r\n", start);
    const std::string line = console.substr(start, end == std::string::npos ? end : end - start);
    const std::size_t dash = line.find(" - ");
    masked += dash != std::string::npos && dash > 0 ? "<t>" + line.substr(dash) : line;
    if (end == std::string::npos) break;
    masked += "\r\n";
    start = end + 2;
  }
  return masked;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string joined;
  bool first = true;
  for (const auto& line : lines) {
    if (!first) joined += "\r\n";
    joined += line;
    first = false;
  }
  return joined;
}

std::string ReadmeSource() {
  std::ifstream in(std::string(QUILLFEN_SOURCE_DIR) + "/resources/README.TXT", std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string Fingerprint(const testsupport::TempTree& tree, const std::string& relative) {
  struct stat info {};
  if (stat(tree.Path(relative).c_str(), &info) != 0) return "(missing)";
  return tree.Read(relative) + "@" + std::to_string(info.st_mtim.tv_sec);
}

}  // namespace scantest
