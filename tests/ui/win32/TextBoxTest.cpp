// The console's text box over a real edit control: it holds what is written, byte for byte,
// past the control's default limit; and where it holds less (Windows 95/98/Me), the oldest
// whole lines make room for the newest.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "scan/ConsoleTools.h"
#include "support/WindowsMachine.h"
#include "ui/win32/TextBoxControl.h"

namespace wintest {
namespace {

class Console : public ::testing::Test {
 protected:
  Console()
      : edit_(CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE | ES_READONLY | WS_VSCROLL, 0, 0,
                              400, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
  ~Console() override { DestroyWindow(edit_); }

  // Writes lines "line 1 ...", "line 2 ..." the way the scans do; returns all of them joined.
  std::string Write(Win32Ui::TextBoxControl& console, int lines) {
    std::vector<std::string> written;
    for (int i = 1; i <= lines; ++i) {
      written.push_back("line " + std::to_string(i) + " - File found: inventory" + std::to_string(i) + ".w98");
      ConsoleTools::ConsoleWrite(console, written.back(), true);
    }
    return testsupport::JoinLines(written);
  }

  HWND edit_;
};

TEST_F(Console, HoldsEveryByteWrittenPastTheControlsDefaultLimit) {
  ASSERT_NE(edit_, nullptr);
  Win32Ui::TextBoxControl console(edit_, Win32Ui::TextBoxControl::kUnlimited);
  const std::string all = Write(console, 1500);  // about 60,000 bytes
  ASSERT_GT(all.size(), 60000u);
  EXPECT_EQ(console.Length(), all.size());
  EXPECT_EQ(console.Text(), all);
  EXPECT_EQ(console.SelStart(), all.size());
  console.SetText("");
  EXPECT_EQ(console.Length(), 0u);
}

// The tail of `all` that starts a line.
void ExpectNewestWholeLines(const std::string& shown, const std::string& all, std::size_t capacity) {
  ASSERT_FALSE(shown.empty());
  EXPECT_LE(shown.size(), capacity);
  ASSERT_GE(all.size(), shown.size());
  EXPECT_EQ(all.substr(all.size() - shown.size()), shown) << "the newest lines, in order";
  EXPECT_EQ(all.substr(all.size() - shown.size() - 2, 2), "\r\n") << "cut after a line break";
}

TEST_F(Console, DropsTheOldestWholeLinesAtItsCapacity) {
  Win32Ui::TextBoxControl console(edit_, 2000);
  const std::string all = Write(console, 200);
  ExpectNewestWholeLines(console.Text(), all, 2000);
  EXPECT_GE(console.Length(), 1000u) << "at most a quarter and a line go at once";
  EXPECT_EQ(console.SelStart(), console.Length());
}

TEST_F(Console, MakesRoomWhenTheControlHoldsLessThanItsCapacity) {
  Win32Ui::TextBoxControl console(edit_, 5000);
  SendMessageA(edit_, EM_SETLIMITTEXT, 1200, 0);  // as a full 95/98 heap would
  const std::string all = Write(console, 200);
  ExpectNewestWholeLines(console.Text(), all, 1200);
  EXPECT_EQ(console.SelStart(), console.Length());
}

}  // namespace
}  // namespace wintest
