#include "scan/QuillfenSpecific.h"

#include "scan/TimeTools.h"
#include "system/FileTools.h"
#include "system/TextTools.h"

namespace QuillfenSpecific {
namespace {

// Three-character endings of V2/V3.1 inventories, in the order they are tested; ".bm" and
// ".as" stand for two-letter extensions.
constexpr const char* kV3InventorySuffixes[] = {"gng", "w98", "w95", "n4x", "n5x",
                                                "mil", "inv", ".bm", "des", "plt",
                                                ".as", "bkf", "n4a", "w32", "w64"};

constexpr const char* kV4FileNames[] = {"iuhist.xml", "iuhist_catalogadmin.xml",
                                        "windows update.log"};

}  // namespace

std::string V4LogPath;

bool IsV3InventoryFile(const std::string& fileName) {
  if (fileName.size() < 3) return false;
  const std::string tail = TextTools::ToLowerAscii(fileName.substr(fileName.size() - 3));
  for (const char* suffix : kV3InventorySuffixes)
    if (tail == suffix) return true;
  return false;
}

bool IsV4File(const std::string& fileName) {
  const std::string lower = TextTools::ToLowerAscii(fileName);
  for (const char* name : kV4FileNames)
    if (lower == name) return true;
  return false;
}

V4Log LookForV4Log(const std::string& windowsFolder) {
  const std::string path = windowsFolder + "\\Windows Update.log";
  const TimeTools::Age age = TimeTools::AgeOf(path, TimeTools::kAgeLimit);
  const bool exists = FileTools::FileExists(path);
  V4LogPath = (age == TimeTools::Age::NotNewer && exists) ? path : std::string();
  if (age == TimeTools::Age::Undated) return V4Log::Undated;
  return V4LogPath.empty() ? V4Log::NotAccepted : V4Log::Accepted;
}

bool FindV4Log(const std::string& windowsFolder) {
  return LookForV4Log(windowsFolder) == V4Log::Accepted;
}

}  // namespace QuillfenSpecific
