#include "ScanWorld.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "scan/ScanProcess.h"

namespace scantest {

std::string ScanWorld::ScanLocal() {
  const int unloadsBefore = progress.unloads;
  ScanProcess::ScanLocalComputer(console, progress, openButton);
  EXPECT_EQ(progress.unloads, unloadsBefore + 1) << "the progress window must close";
  return MaskTimes(console.Text());
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
