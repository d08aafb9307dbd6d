#include "system/TextTools.h"

#include <cstdint>

namespace TextTools {

std::string ToLowerAscii(std::string text) {
  for (char& c : text) c = LowerAscii(c);
  return text;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::size_t HashIgnoringAsciiCase(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a over the lower-case bytes
  for (char c : text) hash = (hash ^ static_cast<unsigned char>(LowerAscii(c))) * 1099511628211ull;
  return static_cast<std::size_t>(hash);
}

std::string TrimSpaces(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string WithFinalSeparator(const std::string& folder) {
  return EndsWith(folder, "\\") ? folder : folder + "\\";
}

std::string InFolder(const std::string& folder, const std::string& name) {
  return WithFinalSeparator(folder) + name;
}

bool IsDriveRoot(const std::string& folder) {
  return folder.size() <= 3 && folder.size() >= 2 && folder[1] == ':' &&
         (folder.size() == 2 || folder[2] == '\\');
}

std::string WithoutFinalSeparator(const std::string& folder) {
  return IsDriveRoot(folder) || !EndsWith(folder, "\\") ? folder
                                                        : folder.substr(0, folder.size() - 1);
}

}  // namespace TextTools
