#pragma once
// What the Win32 host keeps while a run lasts (WindowsApi::RunScope):
//  - what listings found of the files in the folders they listed, by the path as the listing
//    spelt it (the folder as the pattern wrote it, then the file's own name);
//  - for each folder the run writes into, every name it held when the run first wrote there,
//    so that a name it did not hold needs no question before each new file;
//  - the folders whose stale temporaries the run has swept.
// The host notes what its own changes touch; nothing else invalidates what was kept before the
// run ends, when all of it goes.
#include <string>

#include "system/win32/Win32Host.h"

namespace Win32Host::RunCache {

bool Active();

// What a listing of `folder` (ending in a separator) found of a file. Folders are not kept:
// what the host writes into one changes its time.
void Keep(const std::string& folder, const WIN32_FIND_DATAA& data);
// The file a listing found under exactly this path; null when none did, or since changed. A
// question that spells it otherwise (case, short name) goes to Windows.
const WindowsApi::FindData* File(const std::string& path);

// A listing of the whole folder, before the run first writes into it: each entry in turn,
// then whether the listing came to its end (only then are the names trusted).
void KeepName(const std::string& folder, const WIN32_FIND_DATAA& data);
void EndListing(const std::string& folder, bool whole);
// Whether no entry of that name can be there: its folder, spelt so, was listed whole, held no
// entry of the name (long or short, in any case), and the host has made none of the name
// since, anywhere. A name that may be a short one Windows made ("~") is never known absent.
bool KnownAbsent(const std::string& path);

// The host makes, replaces or removes the entry a path names. What was kept of files of that
// name (long or short, in any case, in any folder: a path may reach one however spelt) is
// forgotten, and the name is no longer known absent anywhere.
void Changed(const std::string& path);
// The host removes a folder: also what was known of every folder goes.
void FolderRemoved(const std::string& path);

// Whether the run has written into the folder, spelt so, and swept its stale temporaries
// before (PendingFile.h): it was a folder then.
bool Swept(const std::string& folder);
void NoteSwept(const std::string& folder);

}  // namespace Win32Host::RunCache
