#pragma once
// The version record the host reports, from QUILLFEN_WINVER text.
#include <string_view>

#include "system/WindowsApi.h"

namespace PosixHost {

// "<platform>.<major>.<minor>[:<service-pack text>]", e.g. "2.5.1:Service Pack 3"; the
// service-pack text is kept exactly, blanks included (cut to the record's 127 characters).
// False when the text is not of that form.
bool ParseVersionText(std::string_view text, WindowsApi::VersionRecord& record);

}  // namespace PosixHost
