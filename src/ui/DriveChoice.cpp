#include "ui/DriveChoice.h"

#include <cctype>

#include "system/WindowsApi.h"

namespace DriveChoice {
namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool NamesDrive(const std::string& text) {
  return text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]));
}

}  // namespace

int IndexOfDrive(const std::vector<std::string>& entries, const std::string& windowsPath) {
  if (!NamesDrive(windowsPath)) return -1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (NamesDrive(entries[i]) && Upper(entries[i][0]) == Upper(windowsPath[0]))
      return static_cast<int>(i);
  }
  return -1;
}

Drives MachineDrives() {
  Drives drives;
  drives.entries = WindowsApi::DriveEntries();
  drives.selected = IndexOfDrive(drives.entries, WindowsApi::CurrentFolder());
  return drives;
}

}  // namespace DriveChoice
