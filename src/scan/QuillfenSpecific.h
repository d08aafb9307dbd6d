#pragma once
// The rules that decide which files the project wants.
#include <string>

namespace QuillfenSpecific {

// The path of the V4 log the last FindV4Log accepted, or empty text.
extern std::string V4LogPath;

// True when the name's last three characters, in lower case, are a V2/V3.1 inventory ending.
bool IsV3InventoryFile(const std::string& fileName);
// True for "iuhist.xml", "iuhist_catalogadmin.xml" and "windows update.log", in any case.
bool IsV4File(const std::string& fileName);
// Looks for windowsFolder & "\Windows Update.log": true and V4LogPath set when it exists and
// is not too new; otherwise false and V4LogPath emptied.
bool FindV4Log(const std::string& windowsFolder);
// The same search, telling a log that is there but whose date cannot be read (Undated: not
// accepted either).
enum class V4Log { Accepted, NotAccepted, Undated };
V4Log LookForV4Log(const std::string& windowsFolder);

}  // namespace QuillfenSpecific
