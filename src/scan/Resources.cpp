#include "scan/Resources.h"

#include "system/WindowsApi.h"

namespace Resources {

// The host keeps the bytes: a resource of the exe on Windows, bytes built in elsewhere.
std::span<const unsigned char> Bytes(int resourceId) { return WindowsApi::CustomResource(resourceId); }

}  // namespace Resources
