#pragma once
// The drives the machine's own mount table gives, kept until the kernel reports a change.
#include <memory>
#include <string_view>

#include "system/posix/Drive.h"

namespace PosixHost {

std::shared_ptr<const DriveList> DrivesOfMachine();

// The machine's own drives from a mount table in /proc/self/mounts form: Z: is "/", and each
// file system of a Windows kind gets the next free letter from C:, in mount order.
DriveList DrivesFromMounts(std::string_view mountsText);

}  // namespace PosixHost
