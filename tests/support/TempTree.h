#pragma once
// A temporary folder that removes itself, with helpers to lay out a tree in it.
//
// On the POSIX host it is a fresh folder under the temporary folder. On Windows it is the
// scratch drive R: that the test run links beforehand (wine_link_test_drives in
// scripts/wine/common.sh), emptied when the tree is made and when it goes: so one tree at a
// time.
#include <memory>
#include <string>

namespace testsupport {

class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  // The folder's native path (POSIX: no trailing "/"; Windows: "R:\").
  const std::string& Root() const { return root_; }
  // The native path of a relative one written with "/".
  std::string Path(const std::string& relative) const;

  // Makes a folder (and its parents); with a year, sets its modification time to 15 June of
  // that year at noon, local time. A dot-name is hidden, as the POSIX host sees it.
  void Folder(const std::string& relative, int year = 0) const;
  // Writes a file (making its parents) with the given content; with a year, as above.
  void File(const std::string& relative, const std::string& content = "x", int year = 0) const;
  // Sets the modification time of an existing entry to the given local date and time, as the
  // platform's own file-date functions read it back.
  void SetTime(const std::string& relative, int year, int month = 6, int day = 15, int hour = 12,
               int minute = 0, int second = 0) const;
  // Makes a file read-only: the attribute on Windows, no write permission on POSIX.
  void ReadOnly(const std::string& relative) const;

  bool Exists(const std::string& relative) const;
  std::string Read(const std::string& relative) const;
  // Every entry below the root (or below `under`) as sorted relative paths, one a line,
  // folders ending in "/".
  std::string Listing(const std::string& under = "") const;

 private:
  // Gives every dot-named component of a new entry the hidden attribute where the platform
  // does not read it from the name.
  void HideDotNames(const std::string& relative) const;

  std::string root_;
};

// Sets an environment variable for the life of the object (unset when value is null).
class EnvGuard {
 public:
  EnvGuard(const std::string& name, const char* value);
  ~EnvGuard();
  EnvGuard(const EnvGuard&) = delete;
  EnvGuard& operator=(const EnvGuard&) = delete;

 private:
  std::string name_;
  bool had_;
  std::string old_;
};

// The drive letters the tests use, alike on both hosts. Under Wine, C: holds Wine's own
// Windows folder and cannot stand for a test tree, so the tests keep to R: (a tree's root),
// and S: and T: (its folders "c" and "d": the running system's drive and another disk). On the
// POSIX host this maps them for the life of the object; a Windows test run links them once.
class HostGuard;
class TreeDrives {
 public:
  enum class Layout { Root, SystemAndOther };
  TreeDrives(const TempTree& tree, Layout layout);
  ~TreeDrives();

 private:
  std::unique_ptr<HostGuard> drives_;
};

}  // namespace testsupport
