#pragma once
// The drives the machine's own mount table gives, kept until the kernel reports a change.
#include <memory>

#include "system/posix/DriveTable.h"

namespace PosixHost {

std::shared_ptr<const DriveList> DrivesOfMachine();

}  // namespace PosixHost
