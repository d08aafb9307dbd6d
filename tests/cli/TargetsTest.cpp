// Where quillfen-scan may write, decided by what a path leads to and not by its text: DEST and
// the report's folder are never ROOT or DIR nor inside them, however reached (a bind mount, a
// link, another spelling on a disk that ignores case); the report replaces only a regular file,
// never in the running machine's folders or the save folder. Every refusal comes before the
// scan, with exit status 2, and leaves every source as it was.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>

#include "CliWorld.h"
#include "support/posix/MountSpace.h"

namespace clitest {
namespace {

using testsupport::InPrivateMounts;
using testsupport::MountSpace;
constexpr auto npos = std::string::npos;

class ScanTargets : public CliWorld {
 protected:
  ScanTargets() {
    Disk("d");
    tree.Folder("d/Programme");
    tree.Folder("out");
  }

  // A refusal before the scan: status 2, the reason, no summary, nothing on standard output.
  static void ExpectRefused(const Ran& ran, const std::string& says) {
    EXPECT_EQ(ran.status, 2) << ran.err;
    EXPECT_NE(ran.err.find(says), npos) << "wanted: " << says << "\ngot: " << ran.err;
    EXPECT_EQ(ran.err.find("Scanned "), npos) << "the scan ran: " << ran.err;
    EXPECT_EQ(ran.out, "");
  }
  // quillfen-scan as Scan runs it, in a child of a private mount namespace.
  Ran ScanIn(const std::vector<std::string>& arguments) const {
    std::vector<std::string> argv{QUILLFEN_SCAN};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return testsupport::RunProgram(argv, tree.Root());
  }
  void Link(const std::string& target, const std::string& relative) const {
    ASSERT_EQ(symlink(target.c_str(), tree.Path(relative).c_str()), 0) << relative;
  }
  // The drive scan of d into out, with the report at `target`.
  static QStringList Json(const std::string& target) {
    return {"drive", "d", "--save-to", "out", "--json", QString::fromStdString(target)};
  }
  bool SavedSomewhere() const { return tree.Listing().find("CVL_SAVE") != npos; }
  mode_t Kind(const std::string& relative) const {
    struct stat info {};
    lstat(tree.Path(relative).c_str(), &info);
    return info.st_mode & S_IFMT;
  }
};

TEST_F(ScanTargets, ABindMountOfRootOrOfAFolderInItIsInsideRoot) {
  tree.Folder("bound");
  tree.Folder("whole");
  const std::string before = State("d");
  const std::string inside = "' lies inside '" + tree.Path("d") + "', which is never written to";
  const auto skipped = InPrivateMounts([&](MountSpace& space) {
    space.Bind(tree.Path("d/Programme"), tree.Path("bound"));
    space.Bind(tree.Path("d"), tree.Path("whole"));
    ExpectRefused(ScanIn({"drive", "d", "--save-to", "bound"}),
                  "DEST '" + tree.Path("bound") + inside);
    ExpectRefused(ScanIn({"drive", "d", "--save-to", "whole"}),
                  "DEST '" + tree.Path("whole") + inside);
    ExpectRefused(ScanIn({"folder", "d/Programme", "--save-to", "bound"}),
                  "DEST '" + tree.Path("bound") + "' lies inside '" + tree.Path("d/Programme"));
    ExpectRefused(ScanIn({"drive", "d", "--save-to", "out", "--json", "bound/report.json"}),
                  "--json 'bound/report.json" + inside);
  });
  if (skipped) GTEST_SKIP() << *skipped;
  EXPECT_FALSE(SavedSomewhere()) << tree.Listing();
  EXPECT_EQ(tree.Listing("d/Programme"), "");
  EXPECT_EQ(State("d"), before);
}

TEST_F(ScanTargets, OnADiskThatIgnoresCaseAnotherSpellingOfRootIsRoot) {
  tree.Folder("mnt");
  std::filesystem::resize_file((tree.File("disk.img", ""), tree.Path("disk.img")), 8 << 20);
  const auto skipped = InPrivateMounts([&](MountSpace& space) {
    space.CaseInsensitiveNtfs(tree.Path("disk.img"), tree.Path("mnt"));
    Disk("mnt/Disk1");
    tree.Folder("mnt/Disk1/Programme");
    const std::string before = State("mnt/Disk1");
    const std::string root = tree.Path("mnt/Disk1");
    ExpectRefused(ScanIn({"drive", root, "--save-to", tree.Path("mnt/DISK1/PROGRAMME")}),
                  "DEST '" + tree.Path("mnt/DISK1/PROGRAMME") + "' lies inside '" + root + "'");
    ExpectRefused(ScanIn({"drive", root, "--save-to", tree.Path("mnt/disk1")}),
                  "DEST '" + tree.Path("mnt/disk1") + "' lies inside '" + root + "'");
    ExpectRefused(ScanIn({"drive", root, "--save-to", "out", "--json", "mnt/DISK1/r.json"}),
                  "--json 'mnt/DISK1/r.json' lies inside '" + root + "'");
    EXPECT_EQ(State("mnt/Disk1"), before);
    EXPECT_FALSE(SavedSomewhere()) << tree.Listing();
  });
  if (skipped) GTEST_SKIP() << *skipped;
}

TEST_F(ScanTargets, TheReportReplacesARegularFileAndNothingElse) {
  tree.Folder("reports/folder");
  ASSERT_EQ(mkfifo(tree.Path("reports/fifo").c_str(), 0644), 0);
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = tree.Path("reports/socket");
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  socketPath.copy(address.sun_path, socketPath.size());
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  tree.File("reports/old.json", "an older report");
  chmod(tree.Path("reports/old.json").c_str(), 0640);
  Link(tree.Path("d/report.json"), "reports/dangling");  // a report through it lands in ROOT
  Link(tree.Path("reports/old.json"), "reports/link");
  Link(tree.Path("d/Programme"), "reports/into-root");
  const std::string before = State("d");

  const std::vector<std::pair<std::string, std::string>> refused = {
      {"reports/fifo", "--json 'reports/fifo' is a FIFO, not a regular file"},
      {"reports/socket", "--json 'reports/socket' is a socket, not a regular file"},
      {"reports/folder", "--json 'reports/folder' is a folder, not a regular file"},
      {"reports/", "--json 'reports/' is a folder, not a regular file"},
      {"reports/dangling", "--json 'reports/dangling' is a link, not a regular file"},
      {"reports/link", "--json 'reports/link' is a link, not a regular file"},
      {"reports/into-root/r.json", "--json 'reports/into-root/r.json' lies inside '" +
                                       tree.Path("d") + "', which is never written to"},
      {"reports/missing/r.json", "--json 'reports/missing/r.json': no such folder '" +
                                     tree.Path("reports/missing") + "'"},
  };
  for (const auto& [target, says] : refused)
    ExpectRefused(Scan(Json(target)), says);
  close(listener);
  EXPECT_EQ(Kind("reports/fifo"), S_IFIFO);
  EXPECT_EQ(Kind("reports/socket"), S_IFSOCK);
  EXPECT_EQ(Kind("reports/dangling"), S_IFLNK);
  EXPECT_EQ(Kind("reports/link"), S_IFLNK);
  EXPECT_EQ(tree.Read("reports/old.json"), "an older report");
  EXPECT_FALSE(SavedSomewhere()) << tree.Listing();
  EXPECT_EQ(State("d"), before);

  // A regular file is replaced whole, keeping its permission bits.
  const Ran ran = Scan(Json("reports/old.json"));
  EXPECT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(Report("reports/old.json")["exit_status"], 0);
  struct stat info {};
  lstat(tree.Path("reports/old.json").c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  std::string names;  // no temporary file left beside the report
  for (const auto& entry : std::filesystem::directory_iterator(tree.Path("reports")))
    names += entry.path().filename().string() + " ";
  EXPECT_EQ(names.find(".quillfen"), npos) << names;
}

TEST_F(ScanTargets, TheReportNeverReplacesADevice) {
  if (mknod(tree.Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
    GTEST_SKIP() << "not run: a device node can be made only as root (" << std::strerror(errno)
                 << ")";
  ExpectRefused(Scan(Json("null")),
                "--json 'null' is a device, not a regular file");
  EXPECT_EQ(Kind("null"), S_IFCHR);
  EXPECT_FALSE(SavedSomewhere());
}

TEST_F(ScanTargets, TheReportStaysOutOfTheRunningMachinesFolders) {
  tree.Folder("machine");
  const std::string said =
      " lies in a folder of the running machine (/proc, /sys or /dev), not on a disk";
  const auto skipped = InPrivateMounts([&](MountSpace& space) {
    // A /dev of the case's own, so that a report written there would reach no real one; and
    // the same folder again under another name.
    space.Tmpfs("/dev");
    space.Bind("/dev", tree.Path("machine"));
    for (const std::string target :
         {"/dev/report.json", "machine/report.json", "/proc/report.json", "/sys/report.json",
          "/dev/stdout"})
      ExpectRefused(ScanIn({"drive", "d", "--save-to", "out", "--json", target}),
                    "--json '" + target + "'" + said);
    EXPECT_EQ(tree.Listing("machine"), "");
    EXPECT_FALSE(SavedSomewhere()) << tree.Listing();
  });
  if (skipped) GTEST_SKIP() << *skipped;
}

TEST_F(ScanTargets, TheReportStaysOutOfTheSaveFolder) {
  ASSERT_EQ(Scan({"drive", "d", "--save-to", "out"}).status, 0);
  const std::string saved = State("out/CVL_SAVE");
  const std::string saveFolder = "the save folder '" + tree.Path("out/CVL_SAVE") + "'";
  ExpectRefused(Scan(Json("out/CVL_SAVE/a.w98")),
                "--json 'out/CVL_SAVE/a.w98' lies inside " + saveFolder);
  ExpectRefused(Scan(Json("out/CVL_SAVE/V4/new.json")),
                "--json 'out/CVL_SAVE/V4/new.json' lies inside " + saveFolder);
  EXPECT_EQ(State("out/CVL_SAVE"), saved);

  // Where the save folder is about to be made, in any case.
  std::filesystem::remove_all(tree.Path("out/CVL_SAVE"));
  for (const std::string name : {"CVL_SAVE", "cvl_save"})
    ExpectRefused(Scan(Json("out/" + name)),
                  "--json 'out/" + name + "' would take the place of " + saveFolder);
  EXPECT_EQ(tree.Listing("out"), "");
}

TEST_F(ScanTargets, AWindowsFolderThatLeadsOutOfRootIsNamed) {
  tree.File("elsewhere/Windows Update.log", "another disk's log", 2005);
  tree.File("d/OldWin/Windows Update.log", "this disk's log", 2005);
  std::filesystem::remove_all(tree.Path("d/WINDOWS"));
  Link(tree.Path("elsewhere"), "d/Outside");
  Link("OldWin", "d/Inside");
  const std::string before = State("d");
  const Ran ran = Scan({"drive", "d", "--save-to", "out", "--windows-folder", "d/Outside"});
  EXPECT_EQ(ran.status, 2);
  EXPECT_EQ(ran.err, "quillfen-scan: --windows-folder 'd/Outside' leads outside '" +
                         tree.Path("d") + "', where the scan cannot follow it\n");
  EXPECT_FALSE(SavedSomewhere());

  // A link that stays on the disk is followed.
  const Ran inside = Scan({"drive", "d", "--save-to", "out", "--windows-folder", "d/Inside"});
  EXPECT_EQ(inside.status, 0) << inside.err;
  EXPECT_EQ(tree.Read("out/CVL_SAVE/V4/Windows Update.log"), "this disk's log");
  EXPECT_EQ(State("d"), before);
}

}  // namespace
}  // namespace clitest
