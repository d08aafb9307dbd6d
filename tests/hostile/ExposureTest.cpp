// What must never reach a saved folder that is sent to strangers: files outside the disk
// reached through links, the running machine's own files, devices, pipes, and files made
// readable to all that were private.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include "HostileWorld.h"
#include "support/HostGuard.h"
#include "system/WindowsApi.h"

namespace hostile {
namespace {

class Exposure : public HostileWorld {
 protected:
  void Link(const std::string& target, const std::string& relative) {
    tree.Folder(relative.substr(0, relative.rfind('/')));
    ASSERT_EQ(symlink(target.c_str(), tree.Path(relative).c_str()), 0) << relative;
  }
  void Inventories() {
    tree.File("c/Program Files/WindowsUpdate/a.w98", "a", 2004);
    tree.File("c/Program Files/WindowsUpdate/V4/iuhist.xml", "h", 2004);
  }
  // Dated last: adding links to the folder changes its date.
  void OfficeUpdate() {
    tree.File("c/Program Files/OfficeUpdate/inv.txt", "o", 2003);
    tree.SetTime("c/Program Files/OfficeUpdate", 2003);
  }
  static constexpr const char* kOU = "c/Program Files/OfficeUpdate/";
};

TEST_F(Exposure, APrivateFileStaysPrivateInTheSaveFolder) {
  tree.File("e/inv/private.gng", "mine", 2004);
  tree.File("e/inv/shared.gng", "ours", 2004);
  chmod(tree.Path("e/inv/private.gng").c_str(), 0600);
  chmod(tree.Path("e/inv/shared.gng").c_str(), 0640);
  tree.Folder("e/out");
  dialogs.SaveInto({"E:\\out"});
  Arm();
  ScanFolder("E:\\inv");
  struct stat copy;
  ASSERT_EQ(stat(tree.Path("e/out/CVL_SAVE/private.gng").c_str(), &copy), 0);
  EXPECT_EQ(copy.st_mode & 0177, 0u) << std::oct << copy.st_mode;
  ASSERT_EQ(stat(tree.Path("e/out/CVL_SAVE/shared.gng").c_str(), &copy), 0);
  EXPECT_EQ(copy.st_mode & 0137, 0u) << std::oct << copy.st_mode;
}

// A copied folder lets others in no further than its source did; its owner may always write
// into it, so that a later save still can (read-only media give 0555 folders).
TEST_F(Exposure, ACopiedFolderIsOpenToNoMoreThanItsSource) {
  const mode_t mask = umask(022);
  Inventories();
  tree.File("c/Program Files/WindowsUpdate/V4/iuhist_catalogAdmin.xml", "c", 2004);
  tree.File(std::string(kOU) + "private/a.cab", "p", 2003);
  tree.File(std::string(kOU) + "shared/a.cab", "s", 2003);
  tree.File(std::string(kOU) + "group/a.cab", "g", 2003);
  tree.File("c/WUTemp/w.dat", "w", 2002);
  tree.File("c/WUTemp/private/w.dat", "w", 2002);
  chmod(tree.Path(std::string(kOU) + "private").c_str(), 0700);
  chmod(tree.Path(std::string(kOU) + "shared").c_str(), 0555);
  chmod(tree.Path(std::string(kOU) + "group").c_str(), 0750);
  chmod(tree.Path("c/WUTemp/private").c_str(), 0700);
  chmod(tree.Path("c/Program Files/WindowsUpdate/V4").c_str(), 0700);
  OfficeUpdate();
  tree.SetTime("c/WUTemp", 2002);
  Arm();
  ScanLocal();
  umask(mask);
  const auto mode = [&](const std::string& relative) {
    struct stat info {};
    EXPECT_EQ(stat(tree.Path("c/CVL_SAVE/" + relative).c_str(), &info), 0) << relative;
    return info.st_mode & 07777;
  };
  EXPECT_EQ(mode("OfficeUpdate/private"), 0700u);
  EXPECT_EQ(mode("OfficeUpdate/shared"), 0755u);
  EXPECT_EQ(mode("OfficeUpdate/group"), 0750u);
  EXPECT_EQ(mode("WUTemp/private"), 0700u);
  EXPECT_EQ(mode("V4"), 0700u);
  // The owner can still write into each: a second scan replaces every copy.
  EXPECT_TRUE(Says(ScanLocal(), {"<t> - Scan ended. Saved files can be found in C:\\CVL_SAVE."}));
  EXPECT_EQ(console.Text().find("Could not"), std::string::npos) << console.Text();
}

TEST_F(Exposure, LinksOutOfTheDriveAndIntoTheMachineAreNotThere) {
  Inventories();
  OfficeUpdate();
  tree.File("outside/secret.ini", "a file of another disk");
  tree.File("outside/folder/key.txt", "another disk's folder");
  Link("/proc/self/environ", std::string(kOU) + "environ.ini");
  Link("/etc/passwd", std::string(kOU) + "passwd.ini");
  Link(tree.Path("outside/secret.ini"), std::string(kOU) + "secret.ini");
  Link("../../../outside/secret.ini", std::string(kOU) + "relative.ini");
  Link(tree.Path("outside/folder"), std::string(kOU) + "folder");
  Link("/dev/zero", std::string(kOU) + "zero.cab");  // would never end if it were read
  Link("/proc/self/root/etc/passwd", std::string(kOU) + "roundabout.ini");
  Link("inv.txt", std::string(kOU) + "alias.txt");  // inside the drive: followed
  OfficeUpdate();
  Arm();
  EXPECT_TRUE(Says(ScanLocal(), {"<t> - Found a non-empty OfficeUpdate directory.",
                                 "<t> - Scan ended. Saved files can be found in C:\\CVL_SAVE."}));
  EXPECT_TRUE(dialogs.calls.empty()) << "what is not there fails no copy";
  EXPECT_EQ(Saved("c/CVL_SAVE/OfficeUpdate"), "alias.txt\ninv.txt\n");
  EXPECT_EQ(WindowsApi::FileAttributes("C:\\Program Files\\OfficeUpdate\\secret.ini"),
            WindowsApi::kInvalidAttributes);
}

TEST_F(Exposure, DevicesPipesSocketsAndDanglingLinksAreNoFiles) {
  Inventories();
  const std::string wu = tree.Path("c/Program Files/WindowsUpdate/");
  ASSERT_EQ(mkfifo((wu + "pipe.gng").c_str(), 0644), 0);
  Link("pipe.gng", "c/Program Files/WindowsUpdate/to-pipe.gng");
  Link("nowhere.gng", "c/Program Files/WindowsUpdate/dangling.gng");
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = wu + "sock.gng";
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  socketPath.copy(address.sun_path, socketPath.size());
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  // A device node needs root; without it the link to /dev/zero above stands for one.
  const bool device = mknod((wu + "null.gng").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  RecordProperty("device_node", device ? "made" : "not made (not root)");
  Arm();
  EXPECT_EQ(ScanLocal(),
            "<t> - File found: a.w98\r\n<t> - File found: iuhist.xml\r\n"
            "<t> - No corresponding Windows Update V4 log has been found.\r\n"
            "<t> - No corresponding OfficeUpdate directory found.\r\n"
            "<t> - Scan ended. Saved files can be found in C:\\CVL_SAVE.");
  EXPECT_EQ(Saved("c/CVL_SAVE"), "README.TXT\nV4/\nV4/iuhist.xml\na.w98\n");
  close(listener);
}

TEST_F(Exposure, LinksBackUpTheTreeEndAndAreCopiedNoDeeperThanOnce) {
  Inventories();
  OfficeUpdate();
  tree.File(std::string(kOU) + "sub/x.cab", "x", 2003);
  Link("..", std::string(kOU) + "sub/up");
  Link(".", std::string(kOU) + "self");
  Link("../OfficeUpdate", std::string(kOU) + "sub/again");
  OfficeUpdate();
  Arm();
  EXPECT_TRUE(Says(ScanLocal(), {"<t> - Scan ended. Saved files can be found in C:\\CVL_SAVE."}));
  EXPECT_EQ(Saved("c/CVL_SAVE/OfficeUpdate"), "inv.txt\nsub/\nsub/x.cab\n");
}

TEST_F(Exposure, ASaveFolderThatIsALinkOutOfItsDriveIsNeverWrittenThrough) {
  Inventories();
  OfficeUpdate();
  tree.Folder("outside/save");
  Link(tree.Path("outside/save"), "c/CVL_SAVE");
  Arm();
  EXPECT_EQ(ScanLocal(), "<t> - Could not create directory: C:\\CVL_SAVE\r\n"
                         "<t> - Scan aborted. The save folder could not be made.");
  EXPECT_EQ(Saved("outside"), "save/\n");

  tree.File("e/inv/b.gng", "b", 2004);
  Link(tree.Path("outside/save"), "e/out/CVL_SAVE");
  dialogs.SaveInto({"E:\\out"});
  EXPECT_EQ(ScanFolder("E:\\inv").back(),
            "box: Could not create directory: E:\\out\\CVL_SAVE\n\nNo file has been saved.");
  EXPECT_EQ(Saved("outside"), "save/\n");
}

TEST_F(Exposure, SaveSubfoldersThatAreLinksOutOfTheDriveAreRefused) {
  Inventories();
  OfficeUpdate();
  tree.File("c/WUTemp/w.cab", "w", 2003);
  tree.SetTime("c/WUTemp", 2003);
  tree.Folder("outside/v4");
  tree.Folder("outside/ou");
  tree.Folder("outside/wt");
  Link(tree.Path("outside/v4"), "c/CVL_SAVE/V4");
  Link(tree.Path("outside/ou"), "c/CVL_SAVE/OfficeUpdate");
  Link(tree.Path("outside/wt"), "c/CVL_SAVE/WUTemp");
  Arm();
  EXPECT_TRUE(Says(ScanLocal(), {"<t> - Could not create directory: C:\\CVL_SAVE\\V4",
                                 "<t> - Could not copy file: iuhist.xml",
                                 "<t> - Could not create directory: C:\\CVL_SAVE\\OfficeUpdate",
                                 "<t> - Could not create directory: C:\\CVL_SAVE\\WUTemp",
                                 "<t> - Scan ended. Saved files can be found in C:\\CVL_SAVE."}));
  EXPECT_EQ(Saved("outside"), "ou/\nv4/\nwt/\n");
  EXPECT_EQ(tree.Read("c/CVL_SAVE/a.w98"), "a");
}

// On the drive that maps "/", everything lies inside the drive: there a link is followed only
// when it leads further into the folder that holds it.
TEST_F(Exposure, OnTheRootDriveALinkIsFollowedOnlyIntoItsOwnFolder) {
  testsupport::HostGuard root(testsupport::HostGuard::Setting::Drives, "Z=/");
  const std::string scanned = WindowsApi::WindowsPathOf(tree.Path("e/scan"));
  ASSERT_FALSE(scanned.empty());
  tree.File("e/beside.gng", "beside the scanned folder", 2004);
  tree.File("e/scan/sub/real.gng", "inside", 2004);
  Link("../beside.gng", "e/scan/out.gng");
  Link("sub/real.gng", "e/scan/in.gng");
  Link("/etc/passwd", "e/scan/passwd.gng");
  tree.Folder("e/out");
  dialogs.SaveInto({WindowsApi::WindowsPathOf(tree.Path("e/out"))});
  Arm();
  ScanFolder(scanned);
  EXPECT_EQ(Saved("e/out/CVL_SAVE"), "README.TXT\nin.gng\n");
  EXPECT_EQ(tree.Read("e/out/CVL_SAVE/in.gng"), "inside");
  EXPECT_EQ(WindowsApi::FileAttributes("Z:\\proc\\self\\environ"), WindowsApi::kInvalidAttributes);
  std::vector<WindowsApi::FindData> top;
  ASSERT_TRUE(WindowsApi::ListFolder("Z:\\*", top));
  for (const auto& entry : top) EXPECT_TRUE(entry.name != "proc" && entry.name != "sys" && entry.name != "dev") << entry.name;
}

}  // namespace
}  // namespace hostile
