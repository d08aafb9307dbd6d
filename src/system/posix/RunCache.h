#pragma once
// What the POSIX host keeps while a run lasts (WindowsApi::RunScope): the folders it has
// walked to, held open, by their Windows path as written; and what listings found of the
// files in them, by the folder's identity and the file's name on disk. The host forgets what
// its own changes touch; nothing else invalidates an entry before the run ends, when all of it
// goes.
#include <cstdint>
#include <string>
#include <vector>

#include "system/posix/Drive.h"
#include "system/posix/FileId.h"
#include "system/posix/Level.h"

namespace PosixHost::RunCache {

bool Active();
// Which run this is: a new number for each outermost run, 0 outside any.
unsigned Generation();

// A folder walked to: what Locate found for it (PathResolve.h).
struct KnownFolder {
  Drive drive;
  std::string native;
  std::string name;
  Chain chain;
  Level holder;
  bool linked = false;
  std::vector<FileId> passed;
};
// The key of a Windows path as written: its drive letter and its first `parts` components.
std::string FolderKey(char drive, const std::vector<std::string>& parts, std::size_t count);
const KnownFolder* Folder(const std::string& key);
void KeepFolder(const std::string& key, KnownFolder folder);

// A file a listing found: what of its status the later questions read, and every attribute
// bit. Kept small: a run may list hundreds of thousands of files.
class KnownFile {
 public:
  KnownFile(const struct stat& info, std::uint32_t attributes)
      : id_(FileId::Of(info)), mode_(info.st_mode), attributes_(attributes),
        size_(info.st_size), modified_(info.st_mtim) {}
  std::uint32_t Attributes() const { return attributes_; }
  // The status as far as it is kept (device, inode, mode, size, modification time).
  struct stat Info() const;

 private:
  FileId id_;
  mode_t mode_;
  std::uint32_t attributes_;
  off_t size_;
  timespec modified_;
};
const KnownFile* File(const FileId& folder, const std::string& name);
void KeepFile(const FileId& folder, const std::string& name, const KnownFile& file);
// The host made, replaced or removed `name` in the folder, or found it gone (a change).
void ForgetFile(const FileId& folder, const std::string& name);
// A file copied, whose facts the run will hardly need again: dropped, so that a run of many
// files keeps no more than it must (no change to the disk).
void DropFile(const FileId& folder, const std::string& name);
// The host removed a folder: the folders walked to through it go too.
void ForgetFolder(const FileId& folder);

// How many changes the host has made to the disk in this run: what was found before a change
// may be found otherwise after it.
unsigned Changes();

// Whether the run has swept the folder's stale temporaries already (PendingFile.h).
bool Swept(const FileId& folder);
void NoteSwept(const FileId& folder);

}  // namespace PosixHost::RunCache
