#pragma once
// A new file written under a temporary name beside its final one and then put in its place,
// so the final name only ever holds a whole file: a failure (full disk, locked file) leaves the
// older file untouched and removes the half-written one.
#include <optional>
#include <string>

namespace Win32Host {

// Where a file is about to be written, when Windows lets it be written there.
struct Destination {
  std::string folder;  // ends in a separator
  std::string name;    // an existing entry's own spelling, or the name asked for
  bool exists = false;
};
// nullopt when the path is unusable, its folder is missing, or the name is taken by something
// that may not be replaced: a folder, or a read-only file (checked here, before anything is
// written, rather than left to the replacing call).
std::optional<Destination> WritableDestination(const std::string& path);

class PendingFile {
 public:
  PendingFile() = default;
  ~PendingFile();  // removes the temporary when it was not committed
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Makes an empty temporary in the destination's folder; its name is short (8.3), so a final
  // name near MAX_PATH still leaves room for it.
  bool Create(const Destination& destination);
  const std::string& Path() const { return temporary_; }
  // Puts the temporary in place of the final name, replacing what is there.
  bool Commit();

 private:
  std::string temporary_;
  std::string final_;
};

}  // namespace Win32Host
