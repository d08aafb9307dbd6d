#pragma once
// The names of recently searched folders, folded to lower case, so that a lookup missing its
// exact spelling costs a hash lookup instead of a scan (copying thousands of new files into a
// folder would otherwise rescan it for every file).
//
// Only folders of more than a hundred or so names are indexed; smaller ones are read afresh.
// An index is trusted while the folder's change stamp (device, inode, mtime, ctime) is the one
// it was built or last updated with; the host's own writes update it in place through Note*.
// In a big folder, a change made by another program within the same clock tick as the host's
// last look can go unseen; it only costs a case-variant match, never a wrong exact one.
#include <string>
#include <string_view>
#include <vector>

#include "system/posix/Level.h"

namespace PosixHost {

// Names in the open folder equal to `name` without regard to ASCII case (the exact spelling
// left out), Windows-expressible ones only, in byte order.
std::vector<std::string> CaseVariantsOf(const Level& folder, std::string_view name);

// Whether the run going on knows the open folder holds no entry of that name in any case: an
// index it trusts (WindowsApi::RunScope) has none. False when no such index is at hand.
bool KnownAbsent(const Level& folder, std::string_view name);

// What the disk just said of the open folder contradicts its index (a name made meanwhile by
// another program): the index is read afresh at the next look.
void Distrust(const Level& folder);

// This host has just made, replaced or removed `name` in the open folder: the index, and what
// the run knew of a file of that name (RunCache.h), follow.
void NoteCreated(const Level& folder, const std::string& name);
void NoteRemoved(const Level& folder, const std::string& name);

}  // namespace PosixHost
