#pragma once
// Version records written as text: QUILLFEN_WINVER's form, and the registry's dotted numbers
// and service-pack text.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "system/WindowsApi.h"

namespace PosixHost {

// "<platform>.<major>.<minor>[:<service-pack text>]", e.g. "2.5.1:Service Pack 3"; the
// service-pack text is kept exactly, blanks included (cut to the record's 127 characters).
// False when the text is not of that form.
bool ParseVersionText(std::string_view text, WindowsApi::VersionRecord& record);

// "4.10.2222": between `least` and `most` decimal numbers (each of at most 9 digits) joined by
// dots; nullopt for anything else.
std::optional<std::vector<std::uint32_t>> DottedNumbers(std::string_view text, std::size_t least,
                                                        std::size_t most);

// Service-pack text into the record's field, cut to its 127 characters.
void SetServicePack(std::string_view text, WindowsApi::VersionRecord& record);

}  // namespace PosixHost
