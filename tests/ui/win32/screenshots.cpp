// Shows every window of the program with the real dialogs and saves a picture of each, as the
// screen shows it (title bar and border included), as 24-bit BMP files: <prefix><name>.bmp.
// Run under Wine on an X display (scripts/screenshots-windows.sh) over the demo's drives, so
// the local scan has something to find.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ProgramRun.h"
#include "system/UserDialogs.h"
#include "ui/FormNames.h"
#include "ui/win32/Win32Dialogs.h"

namespace {

using wintest::ProgramRun;

// A 24-bit BMP of the pixels (0xRRGGBB, top row first).
bool WriteBmp(const std::string& path, int width, int height, const testsupport::Pixels& pixels) {
  const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  std::string bits(rowBytes * static_cast<DWORD>(height), '\0');
  for (int row = 0; row < height; ++row) {
    char* out = bits.data() + rowBytes * static_cast<DWORD>(height - 1 - row);  // bottom row first
    for (int column = 0; column < width; ++column) {
      const std::uint32_t pixel = pixels[static_cast<std::size_t>(row) * width + column];
      *out++ = static_cast<char>(pixel & 0xFF);
      *out++ = static_cast<char>((pixel >> 8) & 0xFF);
      *out++ = static_cast<char>((pixel >> 16) & 0xFF);
    }
  }
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(bits.size());
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
                       std::fwrite(bits.data(), bits.size(), 1, out) == 1;
  return std::fclose(out) == 0 && written;
}

// The window as it stands on the screen.
bool Capture(HWND window, const std::string& path) {
  if (!window) {
    std::printf("FAILED %s: no window\n", path.c_str());
    return false;
  }
  Sleep(500);  // let the last paints land
  RECT place;
  GetWindowRect(window, &place);
  const testsupport::Pixels pixels = wintest::ScreenPixels(place);
  const bool saved =
      !pixels.empty() && WriteBmp(path, place.right - place.left, place.bottom - place.top, pixels);
  std::printf("%s %s\n", saved ? "saved" : "FAILED", path.c_str());
  return saved;
}

struct DialogSearch {
  HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
  char windowClass[16] = {};
  GetClassNameA(window, windowClass, sizeof windowClass);
  if (std::string(windowClass) == "#32770" && IsWindowVisible(window)) {
    reinterpret_cast<DialogSearch*>(data)->found = window;
    return FALSE;
  }
  return TRUE;
}

// A standard dialog (message box, folder picker) the program's thread shows, or null.
HWND ShownDialog(HWND programWindow) {
  DialogSearch search;
  EnumThreadWindows(GetWindowThreadProcessId(programWindow, nullptr), FindDialog,
                    reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Takes a picture of the standard dialog that `open` brings up, then closes it with `answer`.
bool CaptureDialog(ProgramRun& program, HWND over, const std::string& path, const std::function<void()>& open,
                   WPARAM answer) {
  open();
  HWND dialog = nullptr;
  program.WaitFor([&] { return (dialog = ShownDialog(over)) != nullptr; });
  const bool saved = Capture(dialog, path);
  if (dialog) PostMessageA(dialog, WM_COMMAND, answer, 0);
  program.Settle();
  return saved;
}

// Presses a button without waiting: what it opens is modal, and the press returns only when
// that has closed.
void PressLater(ProgramRun& program, const char* form, const char* button) {
  PostMessageA(program.Control(form, button), BM_CLICK, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output prefix, e.g. shots/win98->\n", argv[0]);
    return 2;
  }
  const std::string prefix = argv[1];
  Win32Ui::Win32Dialogs dialogs;
  UserDialogs::Scope useDialogs(dialogs);
  bool ok = true;
  {
    // The main windows as a user meets them, the local scan after one scan of the demo's C:.
    ProgramRun program;
    ok &= Capture(program.Form(ui::kBeginForm), prefix + "home.bmp");
    ok &= program.Click(ui::kBeginForm, "Command2");
    ok &= Capture(program.Form(ui::kLocalScanForm), prefix + "local-scan.bmp");
    ok &= program.Click(ui::kLocalScanForm, "ScanButton");
    ok &= program.WaitFor([&] { return IsWindowVisible(program.Control(ui::kLocalScanForm, ui::kOpenDirButton)); });
    ok &= Capture(program.Form(ui::kLocalScanForm), prefix + "local-scan-after-scan.bmp");

    // The options dialog, and its refusal in a message box.
    ok &= program.Click(ui::kLocalScanForm, "Command3");
    ok &= Capture(program.Form(ui::kScanOptionsForm), prefix + "scan-options.bmp");
    for (const char* box : {"CheckV3Inventories", "CheckV4Inventories", "CheckOUInventories"})
      ok &= program.Click(ui::kScanOptionsForm, box);
    ok &= CaptureDialog(program, program.Form(ui::kScanOptionsForm), prefix + "message-box.bmp",
                        [&] { PressLater(program, ui::kScanOptionsForm, "Command1"); }, IDOK);
    ok &= program.Click(ui::kScanOptionsForm, "Command2");

    ok &= program.Click(ui::kLocalScanForm, "Command1");
    ok &= Capture(program.Form(ui::kAboutForm), prefix + "about.bmp");
    ok &= program.Click(ui::kAboutForm, "cmdOK");

    ok &= program.Click(ui::kLocalScanForm, "Command4");
    ok &= program.Click(ui::kBeginForm, "Command3");
    ok &= Capture(program.Form(ui::kOtherForm), prefix + "other-drives.bmp");
    // The shell's folder picker of "Scan for files in a specific directory", as it opens.
    ok &= CaptureDialog(program, program.Form(ui::kOtherForm), prefix + "folder-picker.bmp",
                        [&] { PressLater(program, ui::kOtherForm, "Command1"); }, IDCANCEL);
  }
  {
    // The progress window, shown still: with its scan it would be gone at once.
    ProgramRun still(testsupport::StillForms(), ui::kCheckForm);
    ok &= Capture(still.Form(ui::kCheckForm), prefix + "progress.bmp");
  }
  return ok ? 0 : 1;
}
