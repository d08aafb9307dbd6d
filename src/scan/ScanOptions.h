#pragma once
// The three program-wide scan-option flags; only the scan of this computer reads them.
namespace ScanOptions {

extern bool ScanV3Inventories;
extern bool ScanV4Inventories;
extern bool ScanOUInventories;

// Sets all three to true (every load of the home window).
void ResetAll();

}  // namespace ScanOptions
