#pragma once
// The byte blocks built into the program, by resource identifier.
#include <cstddef>
#include <span>

namespace Resources {

// The README text, written out as README.TXT.
inline constexpr int kReadmeText = 101;

// The bytes of a built-in resource; empty when the identifier names none.
std::span<const unsigned char> Bytes(int resourceId);

}  // namespace Resources
