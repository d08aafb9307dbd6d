#pragma once
// The kernel's mount tables (/proc/self/mounts, /proc/self/mountinfo) as text: fields are
// separated by blanks, and a blank, tab, newline or backslash inside a field is written "\ooo".
// Its one home, for the POSIX host and quillfen-scan alike.
#include <string>
#include <string_view>
#include <vector>

namespace MountText {

// A line's fields, in order.
std::vector<std::string_view> Fields(std::string_view line);
// A field with its "\ooo" escapes decoded.
std::string Decoded(std::string_view field);
// Calls `line` for every line of `text`.
template <class F>
void ForEachLine(std::string_view text, F line) {
  while (!text.empty()) {
    const std::size_t cut = text.find('\n');
    line(text.substr(0, cut));
    text = cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1);
  }
}

}  // namespace MountText
