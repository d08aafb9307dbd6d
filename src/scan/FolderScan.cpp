// The scan of one folder the user picked: the wanted files directly in it, saved where the
// user chooses.
#include "scan/QuillfenSpecific.h"
#include "scan/SaveFolder.h"
#include "scan/ScanProcess.h"
#include "scan/ScanSources.h"
#include "system/WindowsApi.h"

namespace ScanProcess {
namespace {

bool IsAnyWantedName(const std::string& fileName) {
  return QuillfenSpecific::IsV4File(fileName) || QuillfenSpecific::IsV3InventoryFile(fileName);
}

}  // namespace

void ScanFolder(const std::string& folder) {
  // One run: what the listing finds of each file answers the later questions about it.
  WindowsApi::RunScope run;
  ScanSources::Finds finds;
  ScanSources::CollectQualifying(folder, IsAnyWantedName, finds);
  SaveFolder::SaveFoundFiles(finds);
}

}  // namespace ScanProcess
