#include "system/WindowsTools.h"

#include "system/FileTools.h"
#include "system/TextTools.h"

namespace WindowsTools {
namespace {

// The Program Files folder's name in several language editions, and the 32-bit one.
constexpr const char* kProgramFilesNames[] = {
    "Program Files", "Archivos de programa", "Programme",          "Programmi",
    "Programmer",    "Program",              "Programfiler",       "Arquivos de Programas",
    "Programas",     "Program Files (x86)",
};

std::string Windows9xName(std::uint32_t major, std::uint32_t minor, const std::string& sp) {
  if (major == 4 && minor == 0) return "Microsoft Windows 95";
  if (major == 4 && minor == 10) {
    if (sp == "A") return "Microsoft Windows 98 Second Edition";
    // Any other service-pack text on 4.10 is still a Windows 98, so name it as one.
    return "Microsoft Windows 98";
  }
  if (major == 4 && minor == 90) return "Microsoft Windows Millennium Edition";
  // A version of the 95 family that no table lists: better a plain word than an empty label.
  return "Unknown Operating System";
}

std::string WindowsNtName(std::uint32_t major, std::uint32_t minor) {
  if (major == 4) return "Microsoft Windows NT 4.0";
  if (major != 5) return "Other Windows NT version";
  switch (minor) {
    case 0: return "Microsoft Windows 2000";
    case 1: return "Microsoft Windows XP";
    case 2: return "Microsoft Windows Server 2003";
    default: return "Other Windows NT version";  // a 5.x the table does not list
  }
}

}  // namespace

std::string OSNameFor(const WindowsApi::VersionRecord& record) {
  const std::string servicePack = TextTools::TrimSpaces(
      TrimAtNull(std::string(record.csdVersion, sizeof record.csdVersion)));
  switch (record.platformId) {
    case 0: return "Win32s";
    case 1: return Windows9xName(record.majorVersion, record.minorVersion, servicePack);
    case 2: return WindowsNtName(record.majorVersion, record.minorVersion);
    default: return "Unknown Operating System";
  }
}

std::string GetOSName() {
  WindowsApi::VersionRecord record;
  if (!WindowsApi::QueryVersion(record)) return "Unknown Operating System";
  return OSNameFor(record);
}

std::string GetSystemDrive() {
  const auto windir = WindowsApi::EnvironmentValue("windir");
  if (!windir || windir->empty()) return {};
  return windir->substr(0, 1);
}

std::string FindProgramFilesFolder(const std::string& root) {
  for (const char* name : kProgramFilesNames) {
    if (FileTools::FolderExists(root + name)) return root + name;
  }
  return {};
}

std::string TrimAtNull(const std::string& text) { return text.substr(0, text.find('\0')); }

}  // namespace WindowsTools
