#pragma once
// Small text helpers shared by the tools and the engine.
#include <cstddef>
#include <string>
#include <string_view>

namespace TextTools {

// The 26 Latin capitals in lower case; every other byte (UTF-8 included) as it is.
inline char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
std::string ToLowerAscii(std::string text);
// Equality and a hash that agree with it, without regard to the case of the 26 Latin letters
// (as Windows compares names); for keys kept once rather than copied in lower case.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);
std::size_t HashIgnoringAsciiCase(std::string_view text);
// Both, as the hash and the key equality of an unordered container of names.
struct CaseBlind {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const { return HashIgnoringAsciiCase(text); }
  bool operator()(std::string_view a, std::string_view b) const {
    return SameIgnoringAsciiCase(a, b);
  }
};
// Without leading and trailing blanks (spaces only).
std::string TrimSpaces(const std::string& text);
bool EndsWith(const std::string& text, const std::string& tail);
// The folder with a final "\" (added when its last character is not one).
std::string WithFinalSeparator(const std::string& folder);
// The folder without a final "\", except a drive root, which keeps it ("C:\").
std::string WithoutFinalSeparator(const std::string& folder);
// "C:\" (or "C:"): the one folder that lists no "." and "..".
bool IsDriveRoot(const std::string& folder);
// folder & "\" & name, without doubling the separator after a folder that already ends in
// one (a drive root such as "D:\").
std::string InFolder(const std::string& folder, const std::string& name);

}  // namespace TextTools
