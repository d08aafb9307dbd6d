#include "support/WindowsMachine.h"

#include <ctime>

namespace testsupport {

WindowsMachine::WindowsMachine()
    : drives("QUILLFEN_DRIVES", ("C=" + tree.Path("c") + ";D=" + tree.Path("d")).c_str()),
      registry("QUILLFEN_REGISTRY", tree.Path("machine.reg").c_str()) {
  tzset();
  tree.Folder("c");
  tree.Folder("d");
  SetProgramFilesDir("C:\\Program Files");
}

void WindowsMachine::SetProgramFilesDir(const std::string& value) const {
  std::string escaped;
  for (char c : value) {
    if (c == '\\' || c == '"') escaped += '\\';
    escaped += c;
  }
  tree.File("machine.reg",
            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]"
            "\r\n\"ProgramFilesDir\"=\"" + escaped + "\"\r\n");
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
