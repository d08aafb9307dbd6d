#include "support/TempTree.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "support/HostGuard.h"

namespace fs = std::filesystem;

namespace testsupport {

std::string TempTree::Path(const std::string& relative) const {
  return (fs::path(root_) / fs::path(relative).make_preferred()).string();
}

void TempTree::Folder(const std::string& relative, int year) const {
  fs::create_directories(Path(relative));
  HideDotNames(relative);
  if (year) SetTime(relative, year);
}

void TempTree::File(const std::string& relative, const std::string& content, int year) const {
  const fs::path path = Path(relative);
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
  HideDotNames(relative);
  if (year) SetTime(relative, year);
}

bool TempTree::Exists(const std::string& relative) const {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(Path(relative), ignored));
}

std::string TempTree::Read(const std::string& relative) const {
  std::ifstream in(Path(relative), std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string TempTree::Listing(const std::string& under) const {
  const fs::path base = under.empty() ? fs::path(root_) : fs::path(Path(under));
  std::vector<std::string> entries;
  std::error_code ignored;
  for (auto it = fs::recursive_directory_iterator(base, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    std::string rel = fs::relative(it->path(), base).generic_string();
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) rel += "/";
    entries.push_back(rel);
  }
  std::sort(entries.begin(), entries.end());
  std::string out;
  for (const auto& entry : entries) out += entry + "\n";
  return out;
}

namespace {

std::string DriveMap(const TempTree& tree, TreeDrives::Layout layout) {
  if (layout == TreeDrives::Layout::Root) return "R=" + tree.Root();
  return "S=" + tree.Path("c") + ";T=" + tree.Path("d");
}

}  // namespace

TreeDrives::TreeDrives(const TempTree& tree, Layout layout)
    : drives_(std::make_unique<HostGuard>(HostGuard::Setting::Drives,
                                          DriveMap(tree, layout).c_str())) {}

TreeDrives::~TreeDrives() = default;

}  // namespace testsupport
