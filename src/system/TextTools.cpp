#include "system/TextTools.h"

namespace TextTools {

std::string ToLowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
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
