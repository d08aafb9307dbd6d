#pragma once
// Reading the kernel's mount tables, whose text MountText.h takes apart.
#include <string>

namespace PosixHost {

// Reads a whole table afresh from the start of its open descriptor.
bool ReadMountTable(int fd, std::string& text);

}  // namespace PosixHost
