// Saves cut short: killed at random moments, or stopped by a full disk part-way through a
// file or the README. No file under its final name is ever truncated, no source is touched,
// and one further complete save leaves no temporary file behind.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "HostileWorld.h"
#include "scan/ScanProcess.h"
#include "system/WindowsApi.h"

namespace hostile {
namespace {

class InterruptedSave : public HostileWorld {
 protected:
  static constexpr const char* kSource = "c/Program Files/OfficeUpdate";

  // An OfficeUpdate tree of some 60 MB in files of different sizes, so a cut-short copy
  // could never pass for a whole one.
  void BigTree() {
    tree.File("c/Program Files/WindowsUpdate/a.w98", "a", 2004);
    std::mt19937 bytes(7);
    for (int folder = 0; folder < 3; ++folder) {
      for (int file = 0; file < 12; ++file) {
        std::string content(256 * 1024 * (1 + (folder * 12 + file) % 11), '\0');
        for (char& c : content) c = static_cast<char>(bytes());
        tree.File(std::string(kSource) + "/f" + std::to_string(folder) + "/x" +
                      std::to_string(file) + ".cab",
                  content, 2003);
      }
    }
    tree.SetTime(kSource, 2003);
  }

  // Every file under a final name in the saved OfficeUpdate is its source, byte for byte.
  void ExpectNoTruncatedCopy() {
    for (const std::string& line : Lines(Saved("c/CVL_SAVE/OfficeUpdate"))) {
      if (line.back() == '/' || line.find(".quillfen-") != std::string::npos) continue;
      EXPECT_EQ(tree.Read("c/CVL_SAVE/OfficeUpdate/" + line),
                tree.Read(std::string(kSource) + "/" + line))
          << line;
    }
  }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
      end = text.find('\n', start);
      lines.push_back(text.substr(start, end - start));
    }
    return lines;
  }

  // Runs a local scan in a child and kills it after `delay` unless it has ended by then;
  // returns how long it ran.
  std::chrono::microseconds ScanKilledAfter(std::chrono::microseconds delay) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
      ScanLocal();
      _exit(0);
    }
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() - start >= delay) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
  }
};

TEST_F(InterruptedSave, TwentyKillsLeaveNoTruncatedFileAndTheNextSaveSweepsUp) {
  BigTree();
  Arm();
  const auto whole = ScanKilledAfter(std::chrono::seconds(30));
  std::filesystem::remove_all(tree.Path("c/CVL_SAVE"));
  std::mt19937 moments(20241208);
  int leftovers = 0;
  for (int kill = 0; kill < 20; ++kill) {
    const auto delay = std::chrono::microseconds(moments() % (whole.count() + 1));
    ScanKilledAfter(delay);
    SCOPED_TRACE(::testing::Message() << "kill " << kill << " after " << delay.count() << " us");
    ExpectNoTruncatedCopy();
    if (Saved("c/CVL_SAVE").find(".quillfen-") != std::string::npos) ++leftovers;
  }
  RecordProperty("kills_that_left_a_temporary", leftovers);

  // What a dead process left is swept; what a living one is writing is left alone, and
  // neither is ever listed, counted or copied.
  tree.File("c/CVL_SAVE/OfficeUpdate/f0/.quillfen-1-7.tmp", "pid 1 always runs");
  ScanLocal();
  ExpectNoTruncatedCopy();
  std::vector<std::string> temporaries;
  for (const std::string& line : Lines(Saved("c/CVL_SAVE")))
    if (line.find(".quillfen-") != std::string::npos) temporaries.push_back(line);
  EXPECT_EQ(temporaries, std::vector<std::string>{"OfficeUpdate/f0/.quillfen-1-7.tmp"});
  EXPECT_EQ(tree.Read("c/CVL_SAVE/OfficeUpdate/f0/.quillfen-1-7.tmp"), "pid 1 always runs");
}

// A save by another user than the one whose process writes a temporary: kill() says only that
// the process may not be signalled (EPERM), which still means it runs, so its file stays.
TEST_F(InterruptedSave, ASweepByAnotherUserLeavesWhatALiveProcessWrites) {
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  const std::string dead = ".quillfen-" + std::to_string(gone) + "-1.tmp";
  tree.File("e/sweep/.quillfen-1-7.tmp", "pid 1 always runs");
  tree.File("e/sweep/" + dead, "left by a save that was killed");
  for (const char* folder : {"", "e", "e/sweep"}) chmod(tree.Path(folder).c_str(), 0777);
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    // As nobody, for whom pid 1 is another user's process.
    if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
    if (kill(1, 0) == 0 || errno != EPERM) _exit(4);
    const unsigned char text[] = "new";
    _exit(WindowsApi::WriteWholeFile("E:\\sweep\\x.txt", text, 3) ? 0 : 5);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "the child as another user crashed";
  ASSERT_EQ(WEXITSTATUS(status), 0) << "3: could not become nobody, 4: pid 1 could be "
                                       "signalled, 5: the save failed";
  EXPECT_EQ(tree.Read("e/sweep/x.txt"), "new");
  EXPECT_EQ(tree.Read("e/sweep/.quillfen-1-7.tmp"), "pid 1 always runs");
  EXPECT_FALSE(tree.Exists("e/sweep/" + dead));
}

// Ctrl-C (SIGINT) or a request to end (SIGTERM) in the middle of a copy: the temporary file
// goes with the program, which ends by that signal.
TEST_F(InterruptedSave, AnInterruptMidCopyLeavesNoTemporaryAndEndsByItsSignal) {
  tree.File("e/big.cab", std::string(200 << 20, 'b'), 2001);
  tree.Folder("e/out");
  Arm();
  for (int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    int caught = 0;
    // The copy must be caught with its temporary on disk; a try that ends first proves nothing.
    for (int attempt = 0; attempt < 20 && caught == 0; ++attempt) {
      std::filesystem::remove(tree.Path("e/out/big.cab"));
      std::fflush(stdout);
      const pid_t child = fork();
      if (child == 0) {
        WindowsApi::RemoveTemporaryOnInterrupt();
        _exit(WindowsApi::CopyFileReplacing("E:\\big.cab", "E:\\out\\big.cab") ? 0 : 1);
      }
      bool seen = false;
      for (int poll = 0; poll < 20000 && !seen; ++poll) {
        for (const auto& entry : std::filesystem::directory_iterator(tree.Path("e/out")))
          seen = seen || entry.path().filename().string().rfind(".quillfen-", 0) == 0;
        if (!seen) std::this_thread::sleep_for(std::chrono::microseconds(100));
      }
      if (seen) kill(child, signal);
      int status = 0;
      waitpid(child, &status, 0);
      if (!seen || !WIFSIGNALED(status)) continue;  // ended before it was caught
      EXPECT_EQ(WTERMSIG(status), signal);
      EXPECT_EQ(Saved("e/out"), "");  // no temporary, and no copy under its name
      ++caught;
    }
    EXPECT_EQ(caught, 1) << "no copy was caught with its temporary on disk";
  }
}

TEST_F(InterruptedSave, AFullDiskMidFileLeavesTheOlderCopyWhole) {
  tree.File("c/Program Files/WindowsUpdate/small.w98", "small", 2004);
  tree.File("c/Program Files/WindowsUpdate/big.w98", std::string(300 * 1024, 'b'), 2004);
  tree.File("c/CVL_SAVE/big.w98", "an older, whole copy", 2003);
  Arm();
  EXPECT_TRUE(WithFileSizeLimit(100 * 1024, [&] {
    EXPECT_TRUE(Says(ScanLocal(), {"<t> - File found: big.w98\r\n<t> - Could not copy file: big.w98",
                                   "<t> - Scan ended. Saved files can be found in C:\\CVL_SAVE."}));
    EXPECT_EQ(tree.Read("c/CVL_SAVE/big.w98"), "an older, whole copy");
    EXPECT_EQ(tree.Read("c/CVL_SAVE/small.w98"), "small");
    EXPECT_EQ(Saved("c/CVL_SAVE").find(".quillfen-"), std::string::npos);
  }));
}

// The older README is deleted before the new one is written; the new one is never left
// half-written under its name.
TEST_F(InterruptedSave, AFullDiskMidReadmeLeavesNoHalfReadmeAndSaysNothing) {
  tree.File("c/Program Files/WindowsUpdate/a.w98", "a", 2004);
  tree.File("c/CVL_SAVE/README.TXT", "an older README");
  Arm();
  EXPECT_TRUE(WithFileSizeLimit(400, [&] {  // the README is longer
    EXPECT_TRUE(Says(ScanLocal(), {"<t> - Scan ended. Saved files can be found in C:\\CVL_SAVE."}));
    EXPECT_EQ(Saved("c/CVL_SAVE"), "a.w98\n");
  }));
}

}  // namespace
}  // namespace hostile
