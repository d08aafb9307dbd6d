// Folder listings of the POSIX host: order, dot entries, patterns, what never appears.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "PosixTestDrive.h"
#include "system/WindowsApi.h"

namespace {

using posixtest::TestDrive;
using WindowsApi::FindData;
using WindowsApi::kAttrDirectory;
using WindowsApi::ListFolder;

std::string Names(const std::string& pattern) {
  std::vector<FindData> entries;
  const bool started = ListFolder(pattern, entries);
  std::string names;
  for (const FindData& entry : entries) names += entry.name + ((entry.attributes & kAttrDirectory) ? "/ " : " ");
  if (!started) names += "(false)";
  return names;
}

class PosixListing : public ::testing::Test {
 protected:
  void SetUp() override {
    drive.tree.File("dir/a.txt");
    drive.tree.File("dir/B.TXT");
    drive.tree.File("dir/noext");
    drive.tree.Folder("dir/sub");
  }
  TestDrive drive;
};

TEST_F(PosixListing, AFolderListsDotEntriesFirstThenNamesInCaseBlindOrder) {
  EXPECT_EQ(Names("C:\\dir\\*.*"), "./ ../ a.txt B.TXT noext sub/ ");
  EXPECT_EQ(Names("C:\\DIR\\"), "./ ../ a.txt B.TXT noext sub/ ");
  EXPECT_EQ(Names("c:/dir//*"), "./ ../ a.txt B.TXT noext sub/ ");
}

TEST_F(PosixListing, ADriveRootHasNoDotEntries) {
  EXPECT_EQ(Names("C:\\*.*"), "dir/ ");
  EXPECT_EQ(Names("C:\\"), "dir/ ");
}

TEST_F(PosixListing, PatternsChooseEntriesAsWindowsDoes) {
  EXPECT_EQ(Names("C:\\dir\\*.txt"), "a.txt B.TXT ");
  EXPECT_EQ(Names("C:\\dir\\?????"), "noext sub/ ");
  EXPECT_EQ(Names("C:\\dir\\*."), "./ ../ noext sub/ ");
  EXPECT_EQ(Names("C:\\dir\\*.log"), "(false)");
}

TEST_F(PosixListing, ANameWithoutWildcardsIsLookedUpAndKeepsItsOwnSpelling) {
  EXPECT_EQ(Names("C:\\DIR\\A.TXT"), "a.txt ");
  EXPECT_EQ(Names("C:\\dir\\SUB"), "sub/ ");
  EXPECT_EQ(Names("C:\\dir\\missing.txt"), "(false)");
}

TEST_F(PosixListing, MissingFoldersAndFilesUsedAsFoldersListNothing) {
  EXPECT_EQ(Names("C:\\nowhere\\*.*"), "(false)");
  EXPECT_EQ(Names("C:\\dir\\a.txt\\*.*"), "(false)");
  EXPECT_EQ(Names("C:\\d*\\*.*"), "(false)");  // wildcards only in the last component
  EXPECT_EQ(Names("Q:\\*.*"), "(false)");
  EXPECT_EQ(Names("not a path"), "(false)");
}

TEST_F(PosixListing, DotEntriesCarryTheFoldersOwnAttributesAndTimes) {
  drive.tree.Folder(".hidden/inner");
  drive.tree.SetTime("dir", 2003, 2, 1, 10, 20, 30);
  std::vector<FindData> entries;
  ASSERT_TRUE(ListFolder("C:\\dir\\*", entries));
  EXPECT_EQ(entries[0].modified.year, 2003);
  EXPECT_EQ(entries[0].modified.second, 30);
  EXPECT_FALSE(entries[0].attributes & WindowsApi::kAttrHidden);
  ASSERT_TRUE(ListFolder("C:\\.hidden\\inner\\*", entries));
  EXPECT_EQ(entries[1].name, "..");
  EXPECT_TRUE(entries[1].attributes & WindowsApi::kAttrHidden);  // the parent is a dot-name
}

TEST_F(PosixListing, FifosSocketsAndDanglingLinksAppearNowhere) {
  ASSERT_EQ(mkfifo(drive.tree.Path("dir/pipe").c_str(), 0644), 0);
  ASSERT_EQ(symlink("nowhere", drive.tree.Path("dir/dangling").c_str()), 0);
  ASSERT_EQ(symlink("pipe", drive.tree.Path("dir/to-pipe").c_str()), 0);
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = drive.tree.Path("dir/sock");
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  socketPath.copy(address.sun_path, socketPath.size());
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

  // Opening the FIFO would hang this test; it must never be opened.
  EXPECT_EQ(Names("C:\\dir\\*.*"), "./ ../ a.txt B.TXT noext sub/ ");
  for (const char* name : {"pipe", "dangling", "to-pipe", "sock"}) {
    EXPECT_EQ(Names(std::string("C:\\dir\\") + name), "(false)") << name;
    EXPECT_EQ(WindowsApi::FileAttributes(std::string("C:\\dir\\") + name),
              WindowsApi::kInvalidAttributes);
    EXPECT_EQ(WindowsApi::ModifiedTime(std::string("C:\\dir\\") + name), std::nullopt);
  }
  close(sock);
}

TEST_F(PosixListing, NamesWindowsCannotSpellAreLeftOut) {
  drive.tree.File("dir/a:b.txt");
  drive.tree.File("dir/back\\slash.txt");
  drive.tree.File("dir/ask?.txt");
  drive.tree.File("dir/line\nbreak");
  // Windows drops trailing dots and blanks from a name it is given, so it could never reach
  // these; "noext." must not be read as "noext" either.
  drive.tree.File("dir/noext.");
  drive.tree.File("dir/blank ");
  drive.tree.File("dir/dot.", "only with its dot");
  EXPECT_EQ(Names("C:\\dir\\*.*"), "./ ../ a.txt B.TXT noext sub/ ");
  EXPECT_EQ(Names("C:\\dir\\dot."), "(false)");
  EXPECT_EQ(Names("C:\\dir\\noext."), "noext ");
  EXPECT_EQ(Names("C:\\dir\\NOEXT. "), "noext ");
  // A name with "\" is never read as two components.
  drive.tree.File("dir/back/slash.txt");
  EXPECT_EQ(Names("C:\\dir\\back\\*.*"), "./ ../ slash.txt ");
}

TEST_F(PosixListing, LinksAreFollowedButNeverBackIntoTheWalkedPath) {
  drive.tree.SetTime("dir/a.txt", 2001);
  ASSERT_EQ(symlink("a.txt", drive.tree.Path("dir/alias.txt").c_str()), 0);
  ASSERT_EQ(symlink(drive.tree.Path("dir/sub").c_str(), drive.tree.Path("dir/subway").c_str()), 0);
  ASSERT_EQ(symlink("..", drive.tree.Path("dir/sub/up").c_str()), 0);
  ASSERT_EQ(symlink(".", drive.tree.Path("dir/self").c_str()), 0);
  drive.tree.Folder("other");
  ASSERT_EQ(symlink("../dir", drive.tree.Path("other/to-dir").c_str()), 0);
  ASSERT_EQ(symlink("../../other", drive.tree.Path("dir/sub/to-other").c_str()), 0);

  std::vector<FindData> entries;
  ASSERT_TRUE(ListFolder("C:\\dir\\alias.txt", entries));
  EXPECT_EQ(entries[0].modified.year, 2001);
  EXPECT_EQ(Names("C:\\dir\\*.*"), "./ ../ a.txt alias.txt B.TXT noext sub/ subway/ ");
  // "up" and "self" lead back to folders on the path; one named alone is still followed.
  EXPECT_EQ(Names("C:\\dir\\sub\\*"), "./ ../ to-other/ ");
  EXPECT_TRUE(WindowsApi::FileAttributes("C:\\dir\\self") & kAttrDirectory);
  // dir\sub\to-other\to-dir is dir again: a walk down it stops there.
  EXPECT_EQ(Names("C:\\dir\\sub\\to-other\\*"), "./ ../ ");
}

}  // namespace

namespace {

// Asking for fewer facts of each entry lists the same entries, with the same bits for what
// was asked: the folder bit alone, or every bit but the read-only one (which needs the status
// the listing then leaves unread).
TEST(PosixListingFacts, FewerFactsListTheSameEntriesWithTheSameBits) {
  TestDrive drive;
  drive.tree.File("dir/plain.txt");
  drive.tree.File("dir/.hidden");
  drive.tree.File("dir/locked.txt");
  chmod(drive.tree.Path("dir/locked.txt").c_str(), 0444);
  drive.tree.File("dir/system.sys");
  setxattr(drive.tree.Path("dir/system.sys").c_str(), "user.DOSATTRIB", "0x26", 4, 0);
  drive.tree.Folder("dir/sub");
  ASSERT_EQ(symlink("sub", drive.tree.Path("dir/to-sub").c_str()), 0);
  ASSERT_EQ(symlink("plain.txt", drive.tree.Path("dir/to-plain").c_str()), 0);
  ASSERT_EQ(mkfifo(drive.tree.Path("dir/pipe").c_str(), 0644), 0);

  std::vector<FindData> all, kind, visibility;
  ASSERT_TRUE(ListFolder("C:\\dir\\*.*", all, WindowsApi::Facts::All));
  ASSERT_TRUE(ListFolder("C:\\dir\\*.*", kind, WindowsApi::Facts::Kind));
  ASSERT_TRUE(ListFolder("C:\\dir\\*.*", visibility, WindowsApi::Facts::Visibility));
  ASSERT_EQ(kind.size(), all.size());
  ASSERT_EQ(visibility.size(), all.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    SCOPED_TRACE(all[i].name);
    EXPECT_EQ(kind[i].name, all[i].name);
    EXPECT_EQ(visibility[i].name, all[i].name);
    EXPECT_EQ(kind[i].attributes & kAttrDirectory, all[i].attributes & kAttrDirectory);
    const auto shown = [](std::uint32_t bits) {
      return bits & (kAttrDirectory | WindowsApi::kAttrHidden | WindowsApi::kAttrSystem);
    };
    EXPECT_EQ(shown(visibility[i].attributes), shown(all[i].attributes));
  }
  EXPECT_EQ(all.size(), 9u);  // ".", "..", and seven entries: no pipe
}

}  // namespace
