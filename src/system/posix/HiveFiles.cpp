#include "system/posix/HiveFiles.h"

#include "system/posix/AsciiText.h"
#include "system/posix/PathResolve.h"

namespace PosixHost {

std::shared_ptr<const HiveFile> OpenHiveFile(const std::string& windowsFolder) {
  struct Candidate {
    const char* path;
    HiveLookup::Kind kind;
  };
  // A Windows folder that holds both is an NT one upgraded from Windows 98.
  for (const Candidate& candidate : {Candidate{"system32\\config\\SOFTWARE", HiveLookup::Kind::Nt},
                                     Candidate{"SYSTEM.DAT", HiveLookup::Kind::Win9x}}) {
    const auto located = Locate(windowsFolder + "\\" + candidate.path);
    if (!located || !located->exists) continue;
    // The first one there is the registry, whether it can be read or not. What is opened is
    // the file that was found, and it must hold something.
    auto file = OpenRegularFile(located->chain, HiveLookup::kLargestFile);
    if (!file || file->Info().st_size == 0) return nullptr;
    return std::make_shared<const HiveFile>(HiveFile{std::move(*file), candidate.kind});
  }
  return nullptr;
}

std::optional<std::string> PathInHive(HiveLookup::Kind kind, std::string_view machineKey) {
  while (!machineKey.empty() && machineKey.front() == '\\') machineKey.remove_prefix(1);
  while (!machineKey.empty() && machineKey.back() == '\\') machineKey.remove_suffix(1);
  if (kind == HiveLookup::Kind::Win9x) return std::string(machineKey);
  constexpr std::string_view kSoftware = "Software";
  const std::string_view first = machineKey.substr(0, machineKey.find('\\'));
  if (!SameIgnoringCase(first, kSoftware)) return std::nullopt;
  machineKey.remove_prefix(first.size());
  if (!machineKey.empty()) machineKey.remove_prefix(1);  // the "\" after Software
  return std::string(machineKey);
}

}  // namespace PosixHost
