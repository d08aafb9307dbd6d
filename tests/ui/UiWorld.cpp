#include "UiWorld.h"

#include <ctime>

#include "scan/ScanOptions.h"
#include "ui/FormNames.h"

namespace uitest {

UiWorld::UiWorld()
    : drives("QUILLFEN_DRIVES", ("C=" + tree.Path("c") + ";D=" + tree.Path("d")).c_str()),
      registry("QUILLFEN_REGISTRY", tree.Path("machine.reg").c_str()) {
  tzset();
  tree.Folder("c/WINDOWS");
  tree.Folder("d");
  tree.File("machine.reg",
            "REGEDIT4\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\r\n"
            "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\r\n");
  tk.SetDrives({"c: [" + tree.Path("c") + "]", "d: [" + tree.Path("d") + "]"}, 0);
}

UiWorld::~UiWorld() { ScanOptions::ResetAll(); }

std::vector<std::string> UiWorld::ConsoleLines() const {
  std::vector<std::string> lines;
  const TestControl* console = tk.Find(ui::kLocalScanForm, ui::kScanConsole);
  if (!console) return lines;
  const std::string text = console->Text();
  if (text.empty()) return lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find("\r\n", start);
    std::string line = text.substr(start, end == std::string::npos ? end : end - start);
    // Everything before the first " - " is the time stamp; a line must have one.
    const std::size_t dash = line.find(" - ");
    if (dash != std::string::npos && dash > 0) line = "<t>" + line.substr(dash);
    lines.push_back(line);
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return lines;
}

void UiWorld::OpenLocalScan() {
  tk.Start();
  tk.Click(ui::kBeginForm, "Command2");
  ASSERT_TRUE(tk.IsLoaded(ui::kLocalScanForm));
}

}  // namespace uitest
