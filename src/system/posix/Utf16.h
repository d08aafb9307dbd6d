#pragma once
// UTF-16LE bytes as UTF-8, the 8-bit code page of this host.
#include <string>
#include <string_view>

namespace PosixHost {

// Unpaired surrogates become U+FFFD; an odd last byte is dropped; NULs are kept.
std::string Utf16LeToUtf8(std::string_view bytes);

}  // namespace PosixHost
