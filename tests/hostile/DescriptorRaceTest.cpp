// A folder swapped for a link while a scan walks it (renameat2 RENAME_EXCHANGE on another
// thread, thousands of times a scan): what the scan saves and says only ever comes from the
// disk, never from where the link leads.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "HostileWorld.h"

namespace hostile {
namespace {

// Exchanges two names of a folder over and over until told to stop, and counts the swaps.
class Swapper {
 public:
  Swapper(const std::string& folder, std::string a, std::string b)
      : fd_(open(folder.c_str(), O_RDONLY | O_DIRECTORY)), a_(std::move(a)), b_(std::move(b)) {
    thread_ = std::thread([this] {
      while (!stop_) {
        if (syscall(SYS_renameat2, fd_, a_.c_str(), fd_, b_.c_str(), RENAME_EXCHANGE) == 0) ++swaps_;
      }
    });
  }
  // Stops, and puts the two names back as they were.
  long Stop() {
    stop_ = true;
    thread_.join();
    if (swaps_ % 2) syscall(SYS_renameat2, fd_, a_.c_str(), fd_, b_.c_str(), RENAME_EXCHANGE);
    close(fd_);
    return swaps_;
  }

 private:
  int fd_;
  std::string a_, b_;
  std::atomic<bool> stop_{false};
  std::atomic<long> swaps_{0};
  std::thread thread_;
};

TEST(DescriptorRaceSwapper, SwapsAreCountedAndUndone) {
  testsupport::TempTree tree;
  tree.File("x/a/one", "1");
  tree.File("x/b/two", "2");
  Swapper swapper(tree.Path("x"), "a", "b");
  while (!tree.Exists("x/b/one")) std::this_thread::yield();
  EXPECT_GT(swapper.Stop(), 0);
  EXPECT_EQ(tree.Read("x/a/one"), "1");
}

class DescriptorRace : public HostileWorld {};

TEST_F(DescriptorRace, AFolderSwappedForALinkOutOfTheDriveLeaksNothing) {
  const std::string downloads = "c/Program Files/OfficeUpdate/Downloads";
  tree.File("c/Program Files/WindowsUpdate/a.w98", "a", 2004);
  tree.File(downloads + "/cat/decoy1.cab", "decoy", 2003);
  tree.File(downloads + "/cat/decoy2.cab", "decoy", 2003);
  tree.File("secret/private.key", "the secret", 2003);
  tree.File("secret/only-here.cab", "the secret", 2003);
  chmod(tree.Path("secret").c_str(), 0700);
  ASSERT_EQ(symlink(tree.Path("secret").c_str(), tree.Path(downloads + "/cat.alt").c_str()), 0);
  tree.SetTime("c/Program Files/OfficeUpdate", 2003);
  Arm();

  Swapper swapper(tree.Path(downloads), "cat", "cat.alt");
  int leaks = 0, told = 0;
  for (int scan = 0; scan < 200; ++scan) {
    console.SetText("");
    const std::string said = ScanLocal();
    const std::string saved = Saved("c/CVL_SAVE");
    if (saved.find("private.key") != std::string::npos ||
        saved.find("only-here.cab") != std::string::npos)
      ++leaks;
    if (said.find("private.key") != std::string::npos ||
        said.find("only-here.cab") != std::string::npos)
      ++told;
    std::filesystem::remove_all(tree.Path("c/CVL_SAVE"));
  }
  const long swaps = swapper.Stop();
  RecordProperty("swaps", static_cast<int>(swaps));
  EXPECT_GE(swaps, 2000) << "a race that is not run proves nothing";
  EXPECT_EQ(leaks, 0) << "scans that saved the secret folder's files";
  EXPECT_EQ(told, 0) << "scans whose lines named the secret folder's files";
}

// The scanned folder itself exchanged for a link to a folder outside the drive while its files
// are being saved: the save goes on from the folder the scan judged, held open for the run.
TEST_F(DescriptorRace, AScannedFolderSwappedForALinkMidSaveLeaksNothing) {
  for (int i = 0; i < 40; ++i) tree.File("e/src/f" + std::to_string(i) + ".inv", "disk", 2001);
  for (int i = 0; i < 40; ++i) tree.File("secret/f" + std::to_string(i) + ".inv", "secret", 2001);
  chmod(tree.Path("secret").c_str(), 0700);
  ASSERT_EQ(symlink(tree.Path("secret").c_str(), tree.Path("e/src.alt").c_str()), 0);
  tree.Folder("e/out");
  Arm();
  Swapper swapper(tree.Path("e"), "src", "src.alt");
  int leaks = 0;
  for (int scan = 0; scan < 200; ++scan) {
    dialogs.SaveInto({"E:\\out"});
    ScanFolder("E:\\src");
    for (int i = 0; i < 40; ++i) {
      const std::string saved = "e/out/CVL_SAVE/f" + std::to_string(i) + ".inv";
      if (tree.Exists(saved) && tree.Read(saved) != "disk") ++leaks;
    }
    std::filesystem::remove_all(tree.Path("e/out/CVL_SAVE"));
  }
  const long swaps = swapper.Stop();
  RecordProperty("swaps", static_cast<int>(swaps));
  EXPECT_GE(swaps, 2000) << "a race that is not run proves nothing";
  EXPECT_EQ(leaks, 0) << "files of the outside folder saved";
}

}  // namespace
}  // namespace hostile
