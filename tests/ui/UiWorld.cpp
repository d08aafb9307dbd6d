#include "UiWorld.h"

#include "scan/ScanOptions.h"
#include "ui/FormNames.h"

namespace uitest {

UiWorld::UiWorld() {
  tree.Folder("c/WINDOWS");
  tk.SetDrives({"s: [" + tree.Path("c") + "]", "t: [" + tree.Path("d") + "]"}, 0);
}

UiWorld::~UiWorld() { ScanOptions::ResetAll(); }

std::vector<std::string> UiWorld::ConsoleLines() const {
  const TestControl* console = tk.Find(ui::kLocalScanForm, ui::kScanConsole);
  return console ? testsupport::SplitLines(testsupport::MaskTimes(console->Text()))
                 : std::vector<std::string>{};
}

void UiWorld::OpenLocalScan() {
  tk.Start();
  tk.Click(ui::kBeginForm, "Command2");
  ASSERT_TRUE(tk.IsLoaded(ui::kLocalScanForm));
}

}  // namespace uitest
