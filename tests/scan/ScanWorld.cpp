#include "ScanWorld.h"

#include <filesystem>

#include "scan/ScanProcess.h"

// resources/README.TXT, built into the test program.
extern const unsigned char readme_source[];
extern const std::size_t readme_source_size;

namespace scantest {

std::string ScanWorld::ScanLocal() {
  const int unloadsBefore = progress.unloads;
  ScanProcess::ScanLocalComputer(console, progress, openButton);
  EXPECT_EQ(progress.unloads, unloadsBefore + 1) << "the progress window must close";
  return MaskTimes(console.Text());
}

std::string ReadmeSource() {
  return std::string(reinterpret_cast<const char*>(readme_source), readme_source_size);
}

std::string Fingerprint(const testsupport::TempTree& tree, const std::string& relative) {
  std::error_code error;
  const auto modified = std::filesystem::last_write_time(tree.Path(relative), error);
  if (error) return "(missing)";
  return tree.Read(relative) + "@" + std::to_string(modified.time_since_epoch().count());
}

}  // namespace scantest
