// The console's text box over a real edit control: it holds what is written, byte for byte,
// past the control's default limit; and where it holds less (Windows 95/98/Me), the oldest
// whole lines make room for the newest. Lines written while the message loop is away reach
// the control together, and whoever asks the control meets all of them.
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

// Handles every message waiting, as the message loop does once a scan has ended.
void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// What the control itself holds, asked as any other window would ask it.
std::string ControlText(HWND edit) {
  std::string text(static_cast<std::size_t>(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
  text.resize(static_cast<std::size_t>(SendMessageA(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

// Counts the insertions that reach the control, from under the text box.
struct Insertions {
  static inline int count = 0;
  static inline WNDPROC control = nullptr;
  static LRESULT CALLBACK Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == EM_REPLACESEL) ++count;
    return CallWindowProcA(control, edit, message, wParam, lParam);
  }
  explicit Insertions(HWND edit) {
    count = 0;
    control = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Insertions::Proc)));
  }
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

TEST_F(Console, TellsExactlyWhatWasWrittenAfterEveryLine) {
  for (const std::size_t capacity : {Win32Ui::TextBoxControl::kUnlimited, std::size_t{2000}}) {
    SendMessageA(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    Win32Ui::TextBoxControl console(edit_, capacity);
    std::vector<std::string> written;
    for (int i = 1; i <= 120; ++i) {
      written.push_back("line " + std::to_string(i) + " - File found: inventory" + std::to_string(i) + ".w98");
      ConsoleTools::ConsoleWrite(console, written.back(), true);
      const std::string all = testsupport::JoinLines(written);
      const std::string shown = console.Text();
      if (capacity == Win32Ui::TextBoxControl::kUnlimited) {
        ASSERT_EQ(shown, all) << "after line " << i;
      } else if (shown != all) {
        ExpectNewestWholeLines(shown, all, capacity);
      }
      ASSERT_EQ(console.Length(), shown.size()) << "after line " << i;
      ASSERT_EQ(console.SelStart(), shown.size()) << "after line " << i;
    }
    EXPECT_EQ(ControlText(edit_), console.Text()) << "the control, asked, holds the same";
  }
}

TEST_F(Console, HandsTheLinesOfAScanToTheControlInOneInsertion) {
  const Insertions insertions(edit_);
  Win32Ui::TextBoxControl console(edit_, Win32Ui::TextBoxControl::kUnlimited);
  ConsoleTools::ConsoleWrite(console, "earlier scan", true);
  Pump();
  ASSERT_EQ(Insertions::count, 1);
  const std::string scan = Write(console, 500);
  EXPECT_EQ(Insertions::count, 1) << "nothing reaches the control while the loop is away";
  Pump();
  EXPECT_EQ(Insertions::count, 2) << "then all of it at once";
  EXPECT_EQ(ControlText(edit_), "earlier scan\r\n" + scan);
  DWORD start = 0, end = 0;
  SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, console.Length()) << "the caret at the end";
  EXPECT_EQ(end, console.Length());
}

TEST_F(Console, AnyoneAskingTheControlMeetsEveryLineWritten) {
  Win32Ui::TextBoxControl console(edit_, Win32Ui::TextBoxControl::kUnlimited);
  const std::string all = Write(console, 50);
  // A window test reads the console this way from its own thread, before or after the loop
  // has run.
  EXPECT_EQ(ControlText(edit_), all);
  DWORD start = 0, end = 0;
  SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, all.size());
}

TEST_F(Console, InsertsAtACaretMovedAmongLinesNotYetShown) {
  Win32Ui::TextBoxControl console(edit_, Win32Ui::TextBoxControl::kUnlimited);
  const std::string all = Write(console, 3);
  console.SetSelStart(5);
  EXPECT_EQ(console.SelStart(), 5u);
  console.InsertAtCaret("[here]");
  EXPECT_EQ(console.Text(), all.substr(0, 5) + "[here]" + all.substr(5));
  EXPECT_EQ(console.SelStart(), 11u);
  console.SetText("");
  EXPECT_EQ(console.Length(), 0u);
  EXPECT_EQ(ControlText(edit_), "");
}

TEST_F(Console, LeavesTheControlWholeAndAsItWasWhenItGoes) {
  const LONG_PTR procedure = GetWindowLongPtrA(edit_, GWLP_WNDPROC);
  std::string all;
  {
    Win32Ui::TextBoxControl console(edit_, Win32Ui::TextBoxControl::kUnlimited);
    all = Write(console, 20);
  }
  EXPECT_EQ(GetWindowLongPtrA(edit_, GWLP_WNDPROC), procedure);
  EXPECT_EQ(ControlText(edit_), all);
  Pump();  // the hand-over asked for finds nobody, and does nothing
  EXPECT_EQ(ControlText(edit_), all);
}

TEST_F(Console, AnswersAsNothingOnceItsControlIsGone) {
  const HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 100, 100, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
  Win32Ui::TextBoxControl console(edit, Win32Ui::TextBoxControl::kUnlimited);
  Write(console, 5);
  DestroyWindow(edit);
  Pump();
  EXPECT_EQ(console.Text(), "");
  EXPECT_EQ(console.Length(), 0u);
  console.InsertAtCaret("nowhere");
  EXPECT_EQ(console.Length(), 0u);
}

}  // namespace
}  // namespace wintest
