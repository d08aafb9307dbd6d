// The running machine's own files (/proc, /sys, /dev) are never read, whatever reaches them:
// a bind mount onto a file of the disk, a procfs mounted inside it, a path on the drive that
// maps "/", a link. Cases with mounts of their own run with private mounts
// (support/posix/MountSpace.h).
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "HostileWorld.h"
#include "support/HostGuard.h"
#include "support/posix/MountSpace.h"
#include "system/FileTools.h"
#include "system/WindowsApi.h"

namespace hostile {
namespace {

constexpr const char* kOU = "c/Program Files/OfficeUpdate/";

// The first readable parameter file of a loaded module: a file of sysfs.
std::string SysParameterFile() {
  DIR* modules = opendir("/sys/module");
  if (!modules) return {};
  std::string found;
  while (const dirent* module = readdir(modules)) {
    const std::string folder = std::string("/sys/module/") + module->d_name + "/parameters";
    DIR* parameters = opendir(folder.c_str());
    if (!parameters) continue;
    while (const dirent* parameter = readdir(parameters)) {
      const std::string file = folder + "/" + parameter->d_name;
      struct stat info;
      if (parameter->d_name[0] != '.' && stat(file.c_str(), &info) == 0 &&
          S_ISREG(info.st_mode) && access(file.c_str(), R_OK) == 0) {
        found = file;
        break;
      }
    }
    closedir(parameters);
    if (!found.empty()) break;
  }
  closedir(modules);
  return found;
}

class MachineMounts : public HostileWorld {
 protected:
  void SetUp() override {
    tree.File("c/Program Files/WindowsUpdate/a.w98", "a", 2004);
    for (const char* stand : {"env.ini", "maps.ini", "param.ini", "shm.dat"})
      tree.File(std::string(kOU) + stand, "the disk's own file", 2003);
    tree.Folder(std::string(kOU) + "shm");
    tree.File(std::string(kOU) + "inv.txt", "o", 2003);
    tree.SetTime("c/Program Files/OfficeUpdate", 2003);
    tree.File("c/WUTemp/keep.dat", "k", 2002);
    tree.Folder("c/WUTemp/p");
    tree.SetTime("c/WUTemp", 2002);
    shm_ = "/dev/shm/quillfen-hostile-" + std::to_string(getpid());
    const int fd = open(shm_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd >= 0) {
      if (write(fd, "shared memory secret", 20) != 20) ADD_FAILURE() << "cannot write " << shm_;
      close(fd);
    }
  }
  void TearDown() override { unlink(shm_.c_str()); }

  std::string shm_;
};

TEST_F(MachineMounts, WhatIsMountedFromTheMachineIntoADiskIsNeverSaved) {
  const std::string sys = SysParameterFile();
  Arm();
  const auto skipped = testsupport::InPrivateMounts([&](testsupport::MountSpace& space) {
    const std::string ou = tree.Path(kOU);
    space.Bind("/proc/self/environ", ou + "env.ini");
    space.Bind("/proc/self/maps", ou + "maps.ini");
    if (!sys.empty()) space.Bind(sys, ou + "param.ini");
    space.Bind(shm_, ou + "shm.dat");  // a tmpfs, known by the device of /dev/shm
    space.Bind("/dev/shm", ou + "shm");
    const std::string p = tree.Path("c/WUTemp/p");
    space.ProcFs(p);

    for (const char* path : {"C:\\Program Files\\OfficeUpdate\\env.ini",
                             "C:\\Program Files\\OfficeUpdate\\maps.ini",
                             "C:\\Program Files\\OfficeUpdate\\shm.dat",
                             "C:\\WUTemp\\p\\self\\environ", "C:\\WUTemp\\p\\cpuinfo"})
      EXPECT_EQ(WindowsApi::FileAttributes(path), WindowsApi::kInvalidAttributes) << path;
    EXPECT_FALSE(FileTools::FolderExists("C:\\WUTemp\\p"));
    EXPECT_FALSE(FileTools::FolderExists("C:\\Program Files\\OfficeUpdate\\shm"));

    const std::string said = ScanLocal();
    EXPECT_TRUE(Says(said, {"<t> - Found a non-empty OfficeUpdate directory.",
                            "<t> - Scan ended. Saved files can be found in C:\\CVL_SAVE."}));
    // Not there at all, so no copy of them failed either.
    EXPECT_EQ(said.find("Could not"), std::string::npos) << said;
    EXPECT_EQ(Saved("c/CVL_SAVE"),
              "OfficeUpdate/\nOfficeUpdate/inv.txt\nREADME.TXT\nWUTemp/\nWUTemp/keep.dat\n"
              "a.w98\n");
  });
  if (skipped) GTEST_SKIP() << *skipped;
}

// Both roads to the machine on the drive that maps "/": a path with no link on it, and one
// through a link (/proc/self).
TEST_F(MachineMounts, OnTheDriveThatMapsTheRootTheMachineIsNotThere) {
  testsupport::HostGuard drives(testsupport::HostGuard::Setting::Drives, ("Z=/;C=" + tree.Path("c")).c_str());
  EXPECT_FALSE(FileTools::FileExists("Z:\\proc\\cpuinfo"));
  EXPECT_FALSE(FileTools::FolderExists("Z:\\sys\\kernel"));
  EXPECT_FALSE(FileTools::FolderExists("Z:\\dev"));
  EXPECT_FALSE(FileTools::FolderExists("Z:\\proc\\self\\cwd"));
  EXPECT_EQ(FileTools::CountFiles("Z:\\proc", false), -1);
  EXPECT_TRUE(FileTools::FolderExists("Z:\\etc"));  // the drive itself is there
  std::vector<WindowsApi::FindData> root;
  ASSERT_TRUE(WindowsApi::ListFolder("Z:\\*", root, WindowsApi::Facts::Kind));
  for (const auto& entry : root)
    EXPECT_TRUE(entry.name != "proc" && entry.name != "sys" && entry.name != "dev") << entry.name;
}

// A drive's folder and a sibling whose name begins the same ("c" and "c2") are two places:
// a link from one into the other leads out of the drive.
TEST_F(MachineMounts, ALinkIntoASiblingFolderOfTheSamePrefixIsNotFollowed) {
  tree.File("c2/secret.txt", "the sibling's", 2001);
  ASSERT_EQ(symlink(tree.Path("c2/secret.txt").c_str(), tree.Path("c/absolute.txt").c_str()), 0);
  ASSERT_EQ(symlink("../c2/secret.txt", tree.Path("c/relative.txt").c_str()), 0);
  ASSERT_EQ(symlink(tree.Path("c2").c_str(), tree.Path("c/folder").c_str()), 0);
  EXPECT_FALSE(FileTools::FileExists("C:\\absolute.txt"));
  EXPECT_FALSE(FileTools::FileExists("C:\\relative.txt"));
  EXPECT_FALSE(FileTools::FolderExists("C:\\folder"));
}

}  // namespace
}  // namespace hostile
