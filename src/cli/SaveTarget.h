#pragma once
// The folders a run reads and writes, each opened once before the scan, and what keeps the save
// out of the scanned tree. The checks look at what is open, by device and inode.
#include <string>

#include "cli/Containment.h"

namespace Cli {

struct Folders {
  std::string root;         // ROOT or DIR, absolute
  Handle scanned;           // and opened
  std::string dest;         // DEST, absolute; empty without --save-to
  Handle destFolder;        // and opened
  std::string saveFolder;   // the save folder as a Linux path
  Handle saved;             // and opened, when it exists already
  // Where the save folder is (or will be) made: DEST, or ROOT for the computer scan without it.
  int SaveParent() const { return destFolder ? destFolder.get() : scanned.get(); }
};

// Why the save may not go where it would; empty text when it may. DEST may be neither ROOT nor
// inside it, ROOT may not be inside the save folder, and no link in an existing save folder may
// lead into ROOT. The computer scan's own save folder in ROOT is allowed.
std::string SaveProblem(const Folders& folders);

}  // namespace Cli
