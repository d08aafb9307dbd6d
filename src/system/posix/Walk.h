#pragma once
// Reaching what a Windows path names, one folder at a time, on open descriptors.
//
// Each name is opened relative to the folder above it, held open, without following a link
// (O_PATH | O_NOFOLLOW), and judged by the status of that descriptor. Windows never sees a
// symbolic link: here one is followed only by walking its target the same way from where the
// link stands, and never above the drive's root folder (on the drive that maps "/", which holds
// everything, never above the folder that holds the link). Nothing on the running machine's own
// areas is reached, not even on the way (MachineArea.h). What is then done to an entry is done
// through its descriptor or relative to its folder's: a name swapped for a link after it was
// looked at leads nowhere else.
#include <sys/stat.h>

#include <string>
#include <string_view>
#include <vector>

#include "system/posix/Drive.h"
#include "system/posix/Level.h"

namespace PosixHost {


// The chain of the drive's root folder alone; empty when it cannot be opened or lies in the
// machine's own areas.
Chain OpenDriveRoot(const Drive& drive);

enum class Want { Any, Folder };

// The entry `name` of the folder at the end of `chain`: the name as written first, then the
// same name in another case (Windows matches names without regard to case). Only a regular
// file or a folder is an entry, and only a folder where one is wanted; a link is followed to
// what it leads to. On success the chain ends at the entry, `spelled` holds the name as it is
// on disk, and `linked` whether it was a link. The chain is unchanged otherwise: Missing when
// nothing bears the name, Refused when what bears it is no entry (a FIFO, a device, a link the
// drive's rules refuse, or not a folder where one is wanted).
enum class Found { Entered, Missing, Refused };
Found EntryAt(const Drive& drive, Chain& chain, std::string_view name, Want want,
              std::string* spelled = nullptr, bool* linked = nullptr);
inline bool StepInto(const Drive& drive, Chain& chain, std::string_view name, Want want,
                     std::string* spelled = nullptr, bool* linked = nullptr) {
  return EntryAt(drive, chain, name, want, spelled, linked) == Found::Entered;
}

// Follows the link `name` (exactly so spelt) of the folder at the end of `chain`, as a
// listing finds it; false when the drive's rules refuse it or it leads to no file or folder.
bool FollowLink(const Drive& drive, Chain& chain, std::string_view name);

// Opens the entry at the end of the chain to read it: a folder to list, a regular file for its
// bytes. The entry was judged already, by the status of its open descriptor or (a file a
// listing found, held by its status alone) by the listing's; a file is opened by its name in
// its folder without following a link and without waiting, and must be the one judged. Empty
// when it is not, with errno ENOENT when nothing bears its name any longer, ESTALE when
// something else does. `status`, when given, receives the status of what was opened.
Handle OpenForReading(const Chain& chain, struct stat* status = nullptr);

// The real path of the chain's entry: the drive's real folder and the names of the levels.
std::string RealPathOf(const Drive& drive, const Chain& chain);

// Only regular files and folders exist for the engine; FIFOs, sockets and devices are never
// seen, so nothing ever blocks opening one.
inline bool IsFileOrFolder(const struct stat& info) {
  return S_ISREG(info.st_mode) || S_ISDIR(info.st_mode);
}

}  // namespace PosixHost
