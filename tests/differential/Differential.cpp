// Runs the scans over a prepared machine and prints what a user would see and what lands on
// disk, in a form that must come out byte for byte the same on both hosts.
//
//   quillfen_differential <script> <output>
//
// Each line of the script is one step:
//   options [v3] [v4] [ou]   the scan options (those named are on)
//   answer ok|cancel         the answer to the next message box (OK when none is queued)
//   pick [folder]            the answer to the next folder picker (none: cancelled)
//   local                    the scan of this computer; prints its console, time stamps masked
//   folder <folder>          the scan of one folder
//   drive <letter>           the scan of another drive, as the other drives window starts it
//   os | programfiles        GetOSName, GetProgramFilesDir
//   list <folder>            every entry below a folder: size, modification time, hash
// Blank lines and lines starting with "#" are passed over. The output is written in binary, so
// that Windows adds no carriage returns of its own. Files are read and written with <cstdio>
// alone: the runtime's file streams would import C library calls that old Windows lacks, and
// this program's imports stand for the shipped program's.
#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "scan/ScanOptions.h"
#include "scan/ScanProcess.h"
#include "scan/ScreenPorts.h"
#include "support/FakeScreen.h"
#include "system/FileTools.h"
#include "system/UserDialogs.h"
#include "system/WindowsApi.h"
#include "system/WindowsTools.h"

namespace {

using UserDialogs::Answer;

// The report, written out whole at the end.
std::string report;

class Out {
 public:
  Out& operator<<(const std::string& text) {
    report += text;
    return *this;
  }
  Out& operator<<(const char* text) {
    report += text;
    return *this;
  }
};

Out out() { return {}; }

// A whole file's bytes; false when it cannot be read.
bool ReadAll(const std::string& path, std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  char buffer[1 << 14];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

// Files the run itself wrote (README.TXT) carry the time of the run, which the two hosts
// cannot share; their times are shown as "now".
WindowsApi::LocalTime runStarted;

bool Before(const WindowsApi::LocalTime& a, const WindowsApi::LocalTime& b) {
  const int x[] = {a.year, a.month, a.day, a.hour, a.minute, a.second};
  const int y[] = {b.year, b.month, b.day, b.hour, b.minute, b.second};
  return std::lexicographical_compare(x, x + 6, y, y + 6);
}

const char* IconName(UserDialogs::Icon icon) {
  switch (icon) {
    case UserDialogs::Icon::Critical: return "critical";
    case UserDialogs::Icon::Exclamation: return "exclamation";
    case UserDialogs::Icon::Information: return "information";
    case UserDialogs::Icon::Warning: return "warning";
  }
  return "?";
}

// Boxes and pickers answered from the script, each one printed as it comes.
class ScriptedDialogs : public UserDialogs::Service {
 public:
  std::deque<Answer> answers;
  std::deque<std::string> picks;  // "" answers a cancelled picker

  // A recorded session: the script's answers come in the order a person gave them.
  Answer Message(const std::string& text, const std::string& title, UserDialogs::Icon icon,
                 UserDialogs::Buttons buttons, UserDialogs::Question) override {
    const Answer answer = Next(answers, Answer::Ok);
    out() << "box [" << title << ", " << IconName(icon) << ", "
              << (buttons == UserDialogs::Buttons::Ok ? "ok" : "ok/cancel") << "] " << text
              << " -> " << (answer == Answer::Ok ? "ok" : "cancel") << "\n";
    return answer;
  }
  std::string PickFolder(const std::string& prompt, UserDialogs::Question) override {
    const std::string folder = Next(picks, std::string());
    out() << "pick: " << prompt << " -> " << (folder.empty() ? "(cancelled)" : folder) << "\n";
    return folder;
  }
  void OpenInShell(const std::string& path) override { out() << "open: " << path << "\n"; }

 private:
  template <typename T>
  static T Next(std::deque<T>& queue, T otherwise) {
    if (queue.empty()) return otherwise;
    T next = queue.front();
    queue.pop_front();
    return next;
  }
};

struct Window : ScreenPorts::Window {
  void Unload() override { out() << "progress window unloaded\n"; }
};
struct Button : ScreenPorts::Showable {
  void SetVisible(bool visible) override {
    out() << "open folder button " << (visible ? "shown" : "hidden") << "\n";
  }
};

// The console line by line, each time stamp (everything before the first " - ") masked: the
// two hosts write the user's date and time formats differently.
void PrintConsole(const std::string& text) {
  std::size_t start = 0;
  while (start <= text.size() && !text.empty()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    const std::size_t dash = line.find(" - ");
    out() << "console: " << (dash != std::string::npos && dash > 0 ? "<t>" + line.substr(dash) : line)
              << "\n";
    start = end + 2;
  }
}

std::string Hash(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a, 64 bits
  for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

std::string TimeText(const WindowsApi::LocalTime& t) {
  if (!Before(t, runStarted)) return "now";
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return text;
}

// Every entry below `folder`, its path relative to it, as the host lists it.
void Collect(const std::string& folder, const std::string& relative, std::vector<std::string>& lines) {
  std::vector<WindowsApi::FindData> entries;
  WindowsApi::ListFolder(folder + "\\*", entries);
  for (const auto& entry : entries) {
    if (entry.name == "." || entry.name == "..") continue;
    const std::string path = folder + "\\" + entry.name;
    const std::string shown = relative + entry.name;
    // A folder's own time changes with every entry made in it, so only files show theirs.
    if (entry.attributes & WindowsApi::kAttrDirectory) {
      lines.push_back(shown + "\\");
      Collect(path, shown + "\\", lines);
      continue;
    }
    std::string bytes;
    const auto native = WindowsApi::NativePathOf(path);
    if (!native || !ReadAll(*native, bytes)) bytes = "(unreadable)";
    std::string flags;
    if (entry.attributes & WindowsApi::kAttrReadOnly) flags += "  read-only";
    if (entry.attributes & WindowsApi::kAttrHidden) flags += "  hidden";
    if (entry.attributes & WindowsApi::kAttrSystem) flags += "  system";
    lines.push_back(shown + "  " + std::to_string(bytes.size()) + "  " + TimeText(entry.modified) +
                    "  " + Hash(bytes) + flags);
  }
}

void PrintListing(const std::string& folder) {
  out() << "listing of " << folder << ":\n";
  if (!FileTools::FolderExists(folder)) {
    out() << "  (no such folder)\n";
    return;
  }
  std::vector<std::string> lines;
  Collect(folder, "", lines);
  std::sort(lines.begin(), lines.end());
  for (const auto& line : lines) out() << "  " << line << "\n";
}

std::string RestOf(const std::string& line, std::size_t wordLength) {
  return line.size() > wordLength + 1 ? line.substr(wordLength + 1) : std::string();
}

bool Run(const std::string& line, ScriptedDialogs& dialogs) {
  const std::string command = line.substr(0, line.find(' '));
  const std::string argument = RestOf(line, command.size());
  if (command == "options") {
    ScanOptions::ScanV3Inventories = line.find(" v3") != std::string::npos;
    ScanOptions::ScanV4Inventories = line.find(" v4") != std::string::npos;
    ScanOptions::ScanOUInventories = line.find(" ou") != std::string::npos;
  } else if (command == "answer") {
    dialogs.answers.push_back(argument == "cancel" ? Answer::Cancel : Answer::Ok);
  } else if (command == "pick") {
    dialogs.picks.push_back(argument);
  } else if (command == "local") {
    testsupport::FakeTextBox console;
    Window progress;
    Button openFolder;
    ScanProcess::ScanLocalComputer(console, progress, openFolder);
    PrintConsole(console.Text());
  } else if (command == "folder") {
    ScanProcess::ScanFolder(argument);
  } else if (command == "drive") {
    ScanProcess::ScanDrive(argument + ": [a drive]");
  } else if (command == "os") {
    out() << "os: " << WindowsTools::GetOSName() << "\n";
  } else if (command == "programfiles") {
    out() << "program files: " << FileTools::GetProgramFilesDir() << "\n";
  } else if (command == "list") {
    PrintListing(argument);
  } else {
    std::fprintf(stderr, "unknown step: %s\n", line.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string script;
  if (argc != 3 || !ReadAll(argv[1], script)) {
    std::fprintf(stderr, "usage: quillfen_differential <script> <output>\n");
    return 2;
  }
  runStarted = WindowsApi::Now();
  runStarted.second = 0;  // a file written in the first seconds of the run is still "now"
  ScriptedDialogs dialogs;
  UserDialogs::Scope scope(dialogs);
  ScanOptions::ResetAll();
  int status = 0;
  std::size_t start = 0;
  while (start < script.size() && status == 0) {
    std::size_t end = script.find('\n', start);
    if (end == std::string::npos) end = script.size();
    std::string line = script.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    out() << "> " << line << "\n";
    if (!Run(line, dialogs)) status = 2;
  }
  std::FILE* file = std::fopen(argv[2], "wb");
  if (!file || std::fwrite(report.data(), 1, report.size(), file) != report.size() ||
      std::fclose(file) != 0) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 2;
  }
  return status;
}
