// GetOSName on every Windows version Wine can pretend to be. Wine takes the version from
// HKEY_CURRENT_USER\Software\Wine\AppDefaults\<program>, else from Software\Wine ("Version");
// scripts/wine/os-names.sh runs this under one name for each version; the suite itself runs as
// "winxp".
#include <windows.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "system/WindowsTools.h"

namespace {

std::string VersionValue(const std::string& key) {
  char value[64] = {};
  DWORD size = sizeof value - 1;
  HKEY handle;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return {};
  const LONG result = RegQueryValueExA(handle, "Version", nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(handle);
  return result == ERROR_SUCCESS ? value : "";
}

std::string WineVersionSetting() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string program = std::string(path).substr(std::string(path).find_last_of("\\/") + 1);
  const std::string own = VersionValue("Software\\Wine\\AppDefaults\\" + program);
  return own.empty() ? VersionValue("Software\\Wine") : own;
}

// The record Wine 8 reports for each setting, and the name the table gives it.
const std::map<std::string, std::string> kNames = {
    // Win32s: platform 0 (versions 2.0, 3.0, 3.10).
    {"win20", "Win32s"},
    {"win30", "Win32s"},
    {"win31", "Win32s"},
    {"win95", "Microsoft Windows 95"},  // 1, 4.0, ""
    // 1, 4.10, " A ": Wine can only be the Second Edition; a first Windows 98 reports "".
    {"win98", "Microsoft Windows 98 Second Edition"},
    {"winme", "Microsoft Windows Millennium Edition"},  // 1, 4.90, " "
    {"nt351", "Other Windows NT version"},               // 2, 3.51: neither 4 nor 5
    {"nt40", "Microsoft Windows NT 4.0"},
    {"win2k", "Microsoft Windows 2000"},
    {"winxp", "Microsoft Windows XP"},
    // 2, 5.2 is Server 2003 in the table; Windows XP x64 reports the same record, so it is
    // named Server 2003 too.
    {"winxp64", "Microsoft Windows Server 2003"},
    {"win2003", "Microsoft Windows Server 2003"},
    {"vista", "Other Windows NT version"},      // 6.0
    {"win2008", "Other Windows NT version"},    // 6.0
    {"win7", "Other Windows NT version"},       // 6.1
    {"win2008r2", "Other Windows NT version"},  // 6.1
    // GetVersionEx reports 6.2 to a program that does not declare later Windows in a
    // manifest, as on the real ones.
    {"win8", "Other Windows NT version"},
    {"win81", "Other Windows NT version"},
    {"win10", "Other Windows NT version"},
};

TEST(Win32Version, GetOSNameNamesTheVersionWineReports) {
  const std::string setting = WineVersionSetting();
  const auto expected = kNames.find(setting);
  ASSERT_NE(expected, kNames.end()) << "the prefix's Wine version is \"" << setting
                                    << "\"; set one of the known ones";
  EXPECT_EQ(WindowsTools::GetOSName(), expected->second) << setting;
}

}  // namespace
