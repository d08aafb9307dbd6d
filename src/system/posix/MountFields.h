#pragma once
// The kernel's mount tables (/proc/self/mounts, /proc/self/mountinfo) taken apart: fields are
// separated by blanks, and a blank, tab, newline or backslash inside a field is written "\ooo".
#include <string>
#include <string_view>
#include <vector>

namespace PosixHost {

// A line's fields, in order.
std::vector<std::string_view> MountFields(std::string_view line);
// A field with its "\ooo" escapes decoded.
std::string DecodeMountField(std::string_view field);
// Reads a whole table afresh from the start of its open descriptor.
bool ReadMountTable(int fd, std::string& text);
// Calls `line` for every line of `text`.
template <class F>
void ForEachLine(std::string_view text, F line) {
  while (!text.empty()) {
    const std::size_t cut = text.find('\n');
    line(text.substr(0, cut));
    text = cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1);
  }
}

}  // namespace PosixHost
