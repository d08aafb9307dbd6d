// Registry files that fight back: an export or a hive that is swapped for a FIFO, a device or
// a link while the program reads it, a hive its reader may not read, an export built to eat
// memory. Each answer is the value or "(Error opening key)", and nothing hangs.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cerrno>
#include <cstring>
#include <thread>

#include "HostileWorld.h"
#include "support/HostGuard.h"
#include "support/posix/RegistryHive.h"
#include "system/FileTools.h"
#include "system/posix/RegistryFile.h"

namespace hostile {
namespace {

using testsupport::HostGuard;
using testsupport::RegistryHive;

constexpr const char* kErrorOpeningKey = "(Error opening key)";

class RegistryFiles : public HostileWorld {
 protected:
  // C:'s own registry in place of the machine's export.
  void OwnRegistry(RegistryHive::Kind kind) {
    RegistryHive hive(kind);
    hive.SetText(testsupport::kCurrentVersionKey, "ProgramFilesDir", "C:\\Program Files");
    hivePath_ = "c/" + hive.PathIn();
    hiveBytes_ = hive.Bytes();
    tree.File(hivePath_, hiveBytes_);
    tree.File("c/Program Files/WindowsUpdate/a.w98", "a", 2004);
  }

  // Keeps replacing `relative` (by rename, so that the name always exists) with a fresh copy
  // of its good bytes (a new file each time, never one the host has read before), a FIFO, a
  // link to /dev/zero and, where this process may make one, a device node like /dev/zero;
  // meanwhile `read` is called until it has run `rounds` times and the name has been swapped
  // `rounds` times. Each answer must be `good` or "(Error opening key)". Returns the swaps.
  int SwapWhileReading(const std::string& relative, const std::string& goodBytes,
                       const std::string& good, int rounds, const std::function<std::string()>& read) {
    const std::string target = tree.Path(relative), spare = target + ".spare";
    bool devices = true;
    std::atomic<bool> stop{false};
    std::atomic<int> swaps{0};
    std::thread swapper([&] {
      for (int i = 0; !stop; ++i) {
        unlink(spare.c_str());
        bool made = false;
        switch (i % 4) {
          case 0: {
            const int fd = open(spare.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            made = fd >= 0 && write(fd, goodBytes.data(), goodBytes.size()) ==
                                  static_cast<ssize_t>(goodBytes.size());
            if (fd >= 0) close(fd);
            break;
          }
          case 1: made = mkfifo(spare.c_str(), 0644) == 0; break;
          case 2: made = symlink("/dev/zero", spare.c_str()) == 0; break;
          case 3:
            made = devices && mknod(spare.c_str(), S_IFCHR | 0644, makedev(1, 5)) == 0;
            devices = made;
            break;
        }
        if (made && rename(spare.c_str(), target.c_str()) == 0) ++swaps;
      }
    });
    int reads = 0, goods = 0, errors = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while ((reads < rounds || swaps < rounds) && std::chrono::steady_clock::now() < end) {
      const std::string answer = read();
      ++reads;
      if (answer == good) ++goods;
      else if (answer == kErrorOpeningKey) ++errors;
      else ADD_FAILURE() << "answer: " << answer;
    }
    stop = true;
    swapper.join();
    std::printf("%d swaps under %d reads: %d values, %d \"(Error opening key)\"%s\n", swaps.load(),
                reads, goods, errors,
                devices ? "" : "; device nodes cannot be made here, so none was swapped in");
    Changes(relative);
    return swaps;
  }

  std::string hivePath_;
  std::string hiveBytes_;
};

TEST_F(RegistryFiles, AnExportThatIsAFifoOrADeviceOpensNoKeyAndNothingWaits) {
  ASSERT_EQ(mkfifo(tree.Path("fifo.reg").c_str(), 0644), 0);
  for (const std::string& path : {tree.Path("fifo.reg"), std::string("/dev/zero")}) {
    HostGuard named(HostGuard::Setting::Registry, path.c_str());
    EXPECT_EQ(FileTools::GetProgramFilesDir(), kErrorOpeningKey) << path;
  }
  ASSERT_EQ(symlink("/dev/zero", tree.Path("zero.reg").c_str()), 0);
  HostGuard linked(HostGuard::Setting::Registry, tree.Path("zero.reg").c_str());
  EXPECT_EQ(FileTools::GetProgramFilesDir(), kErrorOpeningKey);  // a link is not followed
}

TEST_F(RegistryFiles, AnExportSwappedWhileItIsReadIsReadWholeOrNotAtAll) {
  const std::string good = tree.Read("machine.reg");
  tree.File("swapped/machine.reg", good);
  HostGuard named(HostGuard::Setting::Registry, tree.Path("swapped/machine.reg").c_str());
  EXPECT_GE(SwapWhileReading("swapped/machine.reg", good, "C:\\Program Files", 2000,
                             [] { return FileTools::GetProgramFilesDir(); }),
            2000);
}

TEST_F(RegistryFiles, AHiveSwappedWhileItIsReadIsReadWholeOrNotAtAll) {
  for (const RegistryHive::Kind kind : {RegistryHive::Kind::Win9x, RegistryHive::Kind::Nt}) {
    OwnRegistry(kind);
    HostGuard noExport(HostGuard::Setting::Registry, nullptr);
    EXPECT_GE(SwapWhileReading(hivePath_, hiveBytes_, "C:\\Program Files", 150,
                               [] { return FileTools::GetProgramFilesDir(); }),
              150);
    unlink(tree.Path(hivePath_).c_str());
  }
}

TEST_F(RegistryFiles, AHiveItsReaderMayNotReadAbortsTheScanWithTheFailureText) {
  for (const RegistryHive::Kind kind : {RegistryHive::Kind::Nt, RegistryHive::Kind::Win9x}) {
    OwnRegistry(kind);
    HostGuard noExport(HostGuard::Setting::Registry, nullptr);
    EXPECT_EQ(FileTools::GetProgramFilesDir(), "C:\\Program Files");  // readable, it is read
    chmod(tree.Path(hivePath_).c_str(), 0);
    Arm();
    WithoutPermissionOverride([&] {
      EXPECT_EQ(ScanLocal(), "<t> - The WindowsUpdate directory does not exist in (Error "
                             "opening key). Scan aborted.");
    });
    chmod(tree.Path(hivePath_).c_str(), 0644);
    unlink(tree.Path(hivePath_).c_str());
    Changes(hivePath_);  // removed for the next kind
  }
}

// Key lines hundreds of levels deep, each under a new first name: 200 KB that would be tens
// of megabytes of keys. The parse stops at 8 times the text, so the export opens no key; an
// ordinary export of the same size is read whole.
TEST_F(RegistryFiles, AnExportBuiltToEatMemoryOpensNoKeyWhileAnOrdinaryOneIsRead) {
  std::string deep = "REGEDIT4\n", ordinary = "REGEDIT4\n";
  for (int line = 0; deep.size() < 200000; ++line) {
    deep += "[HKEY_LOCAL_MACHINE\\" + std::to_string(line);
    for (std::size_t level = 1; level < PosixHost::kMaxKeyDepth; ++level) deep += "\\k";
    deep += "]\n";
  }
  for (int key = 0; ordinary.size() < deep.size(); ++key)
    ordinary += "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.ext" + std::to_string(key) +
                "]\n@=\"type" + std::to_string(key) + "\"\n\"Content Type\"=\"text/plain\"\n";
  const std::string currentVersion =
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\n"
      "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\n";
  tree.File("machine.reg", deep + currentVersion);
  EXPECT_EQ(FileTools::GetProgramFilesDir(), kErrorOpeningKey);
  EXPECT_FALSE(PosixHost::ParseRegistryExport(deep));
  tree.File("machine.reg", ordinary + currentVersion);
  EXPECT_EQ(FileTools::GetProgramFilesDir(), "C:\\Program Files");
}

}  // namespace
}  // namespace hostile
