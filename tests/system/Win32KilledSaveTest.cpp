// A save killed in the middle of a copy leaves its temporary file behind. No listing, count or
// later save takes it for a file, and the next save into its folder removes it, as it removes
// every temporary of a process that no longer runs; a running process's temporary and a file
// of the user's that merely looks like one are left alone.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "support/FakeDialogs.h"
#include "support/ListedNames.h"
#include "support/TempTree.h"
#include "system/FileTools.h"
#include "system/WindowsApi.h"

namespace {

using testsupport::ListedNames;
using testsupport::TempTree;
using testsupport::TreeDrives;

// The program that saves without end (tests/system/win32/SaveLoop.cpp), beside this one.
std::string SaveLoopProgram() {
  char self[MAX_PATH];
  const std::string path(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
  return path.substr(0, path.find_last_of("\\/") + 1) + "quillfen_save_loop.exe";
}

// The temporary files in a folder as the system lists them, sorted: what the host hides.
std::vector<std::string> Temporaries(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA((folder + "\\~qf*.tmp").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do names.push_back(data.cFileName);
  while (FindNextFileA(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

class Win32KilledSave : public ::testing::Test {
 protected:
  Win32KilledSave() {
    // Large enough that a copy lasts long beside the moments between two copies.
    tree.File("src/big.cab", std::string(48 << 20, 'x'), 2003);
    tree.File("src/a.w98", "an inventory", 2004);
    tree.Folder("save/V4");
  }

  // Copies big.cab into save\V4 again and again in another process, and kills that process
  // while a copy is under way. Returns the temporary file it left (empty on failure), and
  // removes what it saved whole.
  std::string KillMidCopy() {
    const std::string command =
        "\"" + SaveLoopProgram() + "\" R:\\src\\big.cab R:\\save\\V4\\big.cab";
    for (int attempt = 0; attempt < 20; ++attempt) {
      STARTUPINFOA start = {};
      start.cb = sizeof start;
      PROCESS_INFORMATION process = {};
      std::string line = command;
      if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &start, &process)) {
        ADD_FAILURE() << "cannot start " << command << " (error " << GetLastError() << ")";
        return {};
      }
      const DWORD began = GetTickCount();
      while (Temporaries("R:\\save\\V4").empty() && GetTickCount() - began < 30000 &&
             WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
        Sleep(1);
      TerminateProcess(process.hProcess, 9);
      WaitForSingleObject(process.hProcess, INFINITE);
      DWORD status = 0;
      GetExitCodeProcess(process.hProcess, &status);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
      EXPECT_EQ(status, 9u) << "the saving process ended by itself";
      if (status != 9) return {};
      DeleteFileA("R:\\save\\V4\\big.cab");
      const auto left = Temporaries("R:\\save\\V4");
      if (!left.empty()) return left.front();
    }
    ADD_FAILURE() << "no kill left a temporary file";
    return {};
  }

  TempTree tree;
  TreeDrives drives{tree, TreeDrives::Layout::Root};
  testsupport::FakeDialogs dialogs;
};

TEST_F(Win32KilledSave, ALeftoverIsNeverListedCountedOrCopiedAndTheNextSaveRemovesIt) {
  const std::string left = KillMidCopy();
  ASSERT_FALSE(left.empty());
  // A temporary of this process, which runs, and a file of the user's with a like name.
  char own[32];
  std::snprintf(own, sizeof own, "~qf%08lX0000.tmp", GetCurrentProcessId());
  tree.File(std::string("save/V4/") + own, "being written");
  tree.File("save/V4/~qf1234.tmp", "the user's");

  EXPECT_EQ(ListedNames("R:\\save\\V4\\*"), ". .. ~qf1234.tmp ");
  EXPECT_EQ(FileTools::CountFiles("R:\\save", true), 1);
  EXPECT_FALSE(FileTools::FileExists("R:\\save\\V4\\" + left));
  EXPECT_TRUE(FileTools::CopyFolder("R:\\save", "R:\\copy"));
  EXPECT_EQ(tree.Listing("copy"), "V4/\nV4/~qf1234.tmp\n");

  EXPECT_TRUE(WindowsApi::CopyFileReplacing("R:\\src\\a.w98", "R:\\save\\V4\\a.w98"));
  EXPECT_EQ(Temporaries("R:\\save\\V4"), (std::vector<std::string>{own, "~qf1234.tmp"}));
  EXPECT_EQ(tree.Read("save/V4/a.w98"), "an inventory");
}

TEST_F(Win32KilledSave, TheFirstSaveOfARunRemovesTheLeftoverAndLaterOnesLookNoMore) {
  const std::string left = KillMidCopy();
  ASSERT_FALSE(left.empty());
  WindowsApi::RunScope run;
  EXPECT_TRUE(WindowsApi::CopyFileReplacing("R:\\src\\a.w98", "R:\\save\\V4\\a.w98"));
  EXPECT_EQ(Temporaries("R:\\save\\V4"), std::vector<std::string>{});
  // One the run did not see (it looked once) stays until a later run, and is never listed.
  ASSERT_TRUE(CopyFileA("R:\\src\\a.w98", ("R:\\save\\V4\\" + left).c_str(), FALSE));
  EXPECT_TRUE(WindowsApi::CopyFileReplacing("R:\\src\\a.w98", "R:\\save\\V4\\b.w98"));
  EXPECT_EQ(Temporaries("R:\\save\\V4"), std::vector<std::string>{left});
  EXPECT_EQ(ListedNames("R:\\save\\V4\\*.*"), ". .. a.w98 b.w98 ");
}

TEST_F(Win32KilledSave, ALeftoverKeepsNoEmptyFolderAlive) {
  ASSERT_FALSE(KillMidCopy().empty());
  EXPECT_EQ(FileTools::CountFiles("R:\\save\\V4", false), 0);
  EXPECT_TRUE(WindowsApi::RemoveEmptyFolder("R:\\save\\V4"));
  EXPECT_EQ(tree.Listing("save"), "");
}

}  // namespace
