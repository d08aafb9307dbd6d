#pragma once
// A temporary tree seen as drive C: of the POSIX host, for the length of one test.
#include <string>

#include "support/HostGuard.h"
#include "support/TempTree.h"

namespace posixtest {

class TestDrive {
 public:
  testsupport::TempTree tree;

  // "dir/a.txt" -> "C:\dir\a.txt"
  static std::string Win(const std::string& relative) {
    std::string path = "C:\\" + relative;
    for (char& c : path)
      if (c == '/') c = '\\';
    return path;
  }

 private:
  testsupport::HostGuard drives_{testsupport::HostGuard::Setting::Drives, ("C=" + tree.Root()).c_str()};
};

}  // namespace posixtest
