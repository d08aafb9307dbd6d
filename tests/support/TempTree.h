#pragma once
// A temporary folder that removes itself, with helpers to lay out a tree in it.
#include <string>

namespace testsupport {

class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  // The folder's POSIX path (no trailing "/").
  const std::string& Root() const { return root_; }
  // Root() + "/" + relative.
  std::string Path(const std::string& relative) const;

  // Makes a folder (and its parents); with a year, sets its modification time to 15 June of
  // that year at noon, local time.
  void Folder(const std::string& relative, int year = 0) const;
  // Writes a file (making its parents) with the given content; with a year, as above.
  void File(const std::string& relative, const std::string& content = "x", int year = 0) const;
  // Sets the modification time of an existing entry to the given local date and time.
  void SetTime(const std::string& relative, int year, int month = 6, int day = 15, int hour = 12,
               int minute = 0, int second = 0) const;

  bool Exists(const std::string& relative) const;
  std::string Read(const std::string& relative) const;
  // Every entry below the root (or below `under`) as sorted relative paths, one a line,
  // folders ending in "/".
  std::string Listing(const std::string& under = "") const;

 private:
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

}  // namespace testsupport
