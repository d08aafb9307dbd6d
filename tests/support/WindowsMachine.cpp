#include "support/WindowsMachine.h"

namespace testsupport {

WindowsMachine::WindowsMachine() {
  tree.Folder("c");
  tree.Folder("d");
  SetProgramFilesDir("S:\\Program Files");
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) return lines;
    start = end + 2;
  }
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string joined;
  for (std::size_t i = 0; i < lines.size(); ++i) joined += (i ? "\r\n" : "") + lines[i];
  return joined;
}

std::string MaskTimes(const std::string& console) {
  std::vector<std::string> lines = SplitLines(console);
  for (std::string& line : lines) {
    const std::size_t dash = line.find(" - ");
    if (dash != std::string::npos && dash > 0) line = "<t>" + line.substr(dash);
  }
  return JoinLines(lines);
}

}  // namespace testsupport
