#include "scan/ScanOptions.h"

namespace ScanOptions {

bool ScanV3Inventories = true;
bool ScanV4Inventories = true;
bool ScanOUInventories = true;

void ResetAll() {
  ScanV3Inventories = true;
  ScanV4Inventories = true;
  ScanOUInventories = true;
}

}  // namespace ScanOptions
