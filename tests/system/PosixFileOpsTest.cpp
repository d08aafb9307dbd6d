// Copying, writing, making and removing on the POSIX host, and what a failure leaves behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>
#include <vector>

#include "PosixTestDrive.h"
#include "support/posix/ChildProcess.h"
#include "system/WindowsApi.h"

namespace {

using posixtest::TestDrive;
using namespace WindowsApi;

struct stat StatOf(const std::string& path) {
  struct stat info{};
  stat(path.c_str(), &info);
  return info;
}

bool Write(const std::string& path, const std::string& bytes) {
  return WriteWholeFile(path, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// How `work` ends in a child that may write at most `limit` bytes into any file, so a copy can
// be made to fail half-way even for root (the limit stands for a full disk).
testsupport::ChildEnd InChildWithFileSizeLimit(long limit, bool (*work)()) {
  return testsupport::InChild(testsupport::FileSizeLimit(limit), work);
}

class PosixCopy : public ::testing::Test {
 protected:
  TestDrive drive;
};

TEST_F(PosixCopy, ACopyKeepsBytesAndModificationTime) {
  drive.tree.File("src/IUHIST.XML", "<history/>");
  drive.tree.SetTime("src/IUHIST.XML", 2003, 7, 4, 9, 30, 15);
  drive.tree.Folder("CVL_SAVE");
  ASSERT_TRUE(CopyFileReplacing("C:\\src\\IUHIST.XML", "c:\\cvl_save\\IUHIST.XML"));
  EXPECT_EQ(drive.tree.Read("CVL_SAVE/IUHIST.XML"), "<history/>");
  EXPECT_EQ(StatOf(drive.tree.Path("CVL_SAVE/IUHIST.XML")).st_mtime,
            StatOf(drive.tree.Path("src/IUHIST.XML")).st_mtime);
  EXPECT_EQ(drive.tree.Listing(), "CVL_SAVE/\nCVL_SAVE/IUHIST.XML\nsrc/\nsrc/IUHIST.XML\n");
}

TEST_F(PosixCopy, AnOlderCopyIsReplacedUnderItsOwnSpelling) {
  drive.tree.File("src/a.txt", "new");
  drive.tree.File("dst/A.TXT", "an older and longer text");
  ASSERT_TRUE(CopyFileReplacing("C:\\src\\a.txt", "C:\\dst\\a.txt"));
  EXPECT_EQ(drive.tree.Read("dst/A.TXT"), "new");
  EXPECT_FALSE(drive.tree.Exists("dst/a.txt"));
}

TEST_F(PosixCopy, ACopyOntoItselfIsRefusedHoweverItIsSpelt) {
  drive.tree.File("dir/a.txt", "precious");
  ASSERT_EQ(link(drive.tree.Path("dir/a.txt").c_str(), drive.tree.Path("dir/hard.txt").c_str()), 0);
  ASSERT_EQ(symlink("a.txt", drive.tree.Path("dir/soft.txt").c_str()), 0);
  for (const char* target : {"C:\\dir\\a.txt", "c:\\DIR\\A.TXT", "C:/dir//a.txt",
                             "C:\\dir\\hard.txt", "C:\\dir\\soft.txt"}) {
    EXPECT_FALSE(CopyFileReplacing("C:\\dir\\a.txt", target)) << target;
    EXPECT_EQ(drive.tree.Read("dir/a.txt"), "precious") << target;
  }
  struct stat link{};
  ASSERT_EQ(lstat(drive.tree.Path("dir/soft.txt").c_str(), &link), 0);
  EXPECT_TRUE(S_ISLNK(link.st_mode));  // not replaced by a copy of what it points to
  EXPECT_EQ(StatOf(drive.tree.Path("dir/a.txt")).st_nlink, 2u);
}

TEST_F(PosixCopy, ImpossibleCopiesFailAndChangeNothing) {
  drive.tree.File("src/a.txt", "data");
  drive.tree.File("dst/locked.txt", "kept");
  drive.tree.Folder("dst/folder.txt");
  drive.tree.File("plain", "file");
  ASSERT_EQ(chmod(drive.tree.Path("dst/locked.txt").c_str(), 0444), 0);
  ASSERT_EQ(mkfifo(drive.tree.Path("src/pipe").c_str(), 0644), 0);
  const std::string before = drive.tree.Listing();
  EXPECT_FALSE(CopyFileReplacing("C:\\src\\a.txt", "C:\\missing\\a.txt"));
  EXPECT_FALSE(CopyFileReplacing("C:\\src\\a.txt", "C:\\plain\\a.txt"));  // a file as folder
  EXPECT_FALSE(CopyFileReplacing("C:\\src\\a.txt", "C:\\dst\\folder.txt"));
  EXPECT_FALSE(CopyFileReplacing("C:\\src\\a.txt", "C:\\dst\\locked.txt"));  // as CopyFile
  EXPECT_FALSE(CopyFileReplacing("C:\\src\\a.txt", "C:\\dst\\"));
  EXPECT_FALSE(CopyFileReplacing("C:\\src\\missing.txt", "C:\\dst\\b.txt"));
  EXPECT_FALSE(CopyFileReplacing("C:\\src", "C:\\dst\\src"));
  EXPECT_FALSE(CopyFileReplacing("C:\\src\\pipe", "C:\\dst\\pipe"));  // never opened
  EXPECT_FALSE(CopyFileReplacing("C:\\src\\*.txt", "C:\\dst\\b.txt"));
  EXPECT_EQ(drive.tree.Listing(), before);
  EXPECT_EQ(drive.tree.Read("dst/locked.txt"), "kept");
}

// A copy is never open to more people than its source, and its saver may always replace it:
// a read-only copy (even root's copy of a mode 0000 file) would refuse every later save.
TEST_F(PosixCopy, ACopyIsOpenToNoMoreThanItsSourceAndItsSaverCanReplaceIt) {
  const mode_t mask = umask(0);  // the modes as made, before any umask narrows them
  drive.tree.Folder("dst");
  for (const auto& [source, copy] : std::vector<std::pair<mode_t, mode_t>>{
           {0444, 0644}, {0000, 0600}, {0640, 0640}, {0604, 0604}, {0666, 0666}, {0755, 0644}}) {
    SCOPED_TRACE(std::to_string(source));
    drive.tree.File("src/f.txt", "x");
    ASSERT_EQ(chmod(drive.tree.Path("src/f.txt").c_str(), source), 0);
    if (source == 0000 && getuid() != 0) continue;  // only root can read it to copy it
    ASSERT_TRUE(CopyFileReplacing("C:\\src\\f.txt", "C:\\dst\\f.txt"));
    struct stat made;
    ASSERT_EQ(stat(drive.tree.Path("dst/f.txt").c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 07777, copy);
    EXPECT_TRUE(CopyFileReplacing("C:\\src\\f.txt", "C:\\dst\\f.txt"));  // a later save
    chmod(drive.tree.Path("src/f.txt").c_str(), 0644);
  }
  umask(mask);
}

TEST_F(PosixCopy, ACopyThatFailsHalfWayLeavesTheOlderFileWholeAndNoTemporary) {
  drive.tree.File("src/big.bin", std::string(1 << 20, 'n'));
  drive.tree.File("dst/big.bin", "older");
  static bool (*copy)() = [] { return CopyFileReplacing("C:\\src\\big.bin", "C:\\dst\\big.bin"); };
  static bool (*fresh)() = [] { return CopyFileReplacing("C:\\src\\big.bin", "C:\\dst\\new.bin"); };
  EXPECT_TRUE(testsupport::Answered(InChildWithFileSizeLimit(64 << 10, copy), false));
  EXPECT_TRUE(testsupport::Answered(InChildWithFileSizeLimit(64 << 10, fresh), false));
  EXPECT_EQ(drive.tree.Read("dst/big.bin"), "older");
  EXPECT_EQ(drive.tree.Listing(), "dst/\ndst/big.bin\nsrc/\nsrc/big.bin\n");
  // And with room it goes through.
  EXPECT_TRUE(testsupport::Answered(InChildWithFileSizeLimit(4 << 20, copy), true));
  EXPECT_EQ(drive.tree.Read("dst/big.bin"), std::string(1 << 20, 'n'));
}

TEST_F(PosixCopy, ANameAnotherProgramAddsMeanwhileIsFoundInSmallAndBigFolders) {
  drive.tree.File("src/a.txt", "a");
  drive.tree.File("src/b.txt", "b");
  for (int size : {3, 300}) {  // big folders keep an index of their names
    const std::string dst = "dst" + std::to_string(size);
    for (int i = 0; i < size; ++i) drive.tree.File(dst + "/f" + std::to_string(i));
    ASSERT_TRUE(CopyFileReplacing("C:\\src\\a.txt", "C:\\" + dst + "\\A.TXT"));
    ASSERT_TRUE(CopyFileReplacing("C:\\src\\b.txt", "C:\\" + dst + "\\a.txt"));  // its own name
    EXPECT_EQ(drive.tree.Read(dst + "/A.TXT"), "b");
    drive.tree.File(dst + "/b.txt", "theirs");  // written behind the host's back
    drive.tree.SetTime(dst, 2001);
    ASSERT_TRUE(CopyFileReplacing("C:\\src\\b.txt", "C:\\" + dst + "\\B.TXT"));
    EXPECT_EQ(drive.tree.Read(dst + "/b.txt"), "b") << size;
    EXPECT_FALSE(drive.tree.Exists(dst + "/B.TXT")) << size;
    EXPECT_FALSE(drive.tree.Exists(dst + "/a.txt")) << size;
  }
}

TEST(PosixWriteWholeFile, AWholeFileReplacesAnOlderLongerOne) {
  TestDrive drive;
  drive.tree.File("CVL_SAVE/README.TXT", "an older, much longer text than the new one");
  ASSERT_TRUE(Write("C:\\cvl_save\\readme.txt", "new"));
  EXPECT_EQ(drive.tree.Read("CVL_SAVE/README.TXT"), "new");
  ASSERT_TRUE(Write("C:\\CVL_SAVE\\empty", ""));
  EXPECT_EQ(drive.tree.Listing(), "CVL_SAVE/\nCVL_SAVE/README.TXT\nCVL_SAVE/empty\n");
}

TEST(PosixWriteWholeFile, AFileThatCannotBeWrittenIsLeftAsItWas) {
  TestDrive drive;
  drive.tree.File("ro.txt", "kept");
  drive.tree.Folder("folder");
  ASSERT_EQ(chmod(drive.tree.Path("ro.txt").c_str(), 0444), 0);
  EXPECT_FALSE(Write("C:\\ro.txt", "new"));
  EXPECT_FALSE(Write("C:\\folder", "new"));
  EXPECT_FALSE(Write("C:\\missing\\x.txt", "new"));
  EXPECT_FALSE(WriteWholeFile("C:\\x.txt", nullptr, 3));
  EXPECT_EQ(drive.tree.Read("ro.txt"), "kept");
  EXPECT_EQ(drive.tree.Listing(), "folder/\nro.txt\n");
}

TEST(PosixFolders, MakeFolderMakesOneLevelOnce) {
  TestDrive drive;
  drive.tree.Folder("Taken");
  EXPECT_TRUE(MakeFolder("C:\\CVL_SAVE"));
  EXPECT_TRUE(MakeFolder("C:\\cvl_save\\V4\\"));  // a final "\" as CreateDirectory takes it
  EXPECT_FALSE(MakeFolder("C:\\CVL_SAVE"));
  EXPECT_FALSE(MakeFolder("C:\\taken"));  // taken in another case
  EXPECT_FALSE(MakeFolder("C:\\missing\\child"));
  EXPECT_FALSE(MakeFolder("C:\\"));
  EXPECT_FALSE(MakeFolder("C:\\a*b"));
  EXPECT_EQ(drive.tree.Listing(), "CVL_SAVE/\nCVL_SAVE/V4/\nTaken/\n");
}

TEST(PosixFolders, OnlyAnEmptyFolderIsRemovedAndNeverADriveRoot) {
  TestDrive drive;
  drive.tree.Folder("Empty");
  drive.tree.File("Full/x");
  drive.tree.File("file");
  EXPECT_FALSE(RemoveEmptyFolder("C:\\Full"));
  EXPECT_FALSE(RemoveEmptyFolder("C:\\file"));
  EXPECT_FALSE(RemoveEmptyFolder("C:\\missing"));
  EXPECT_FALSE(RemoveEmptyFolder("C:\\"));
  EXPECT_TRUE(RemoveEmptyFolder("C:\\empty"));
  EXPECT_EQ(drive.tree.Listing(), "Full/\nFull/x\nfile\n");
  EXPECT_TRUE(MakeFolder("C:\\Empty"));  // and the name is free again
}

TEST(PosixDelete, DeleteRemovesAWritableFileOnly) {
  TestDrive drive;
  drive.tree.File("dir/a.txt");
  drive.tree.File("dir/ro.txt");
  ASSERT_EQ(chmod(drive.tree.Path("dir/ro.txt").c_str(), 0444), 0);
  EXPECT_FALSE(DeleteOneFile("C:\\dir\\ro.txt"));  // as DeleteFile, unlike unlink
  EXPECT_FALSE(DeleteOneFile("C:\\dir"));
  EXPECT_FALSE(DeleteOneFile("C:\\dir\\missing"));
  EXPECT_TRUE(DeleteOneFile("C:\\DIR\\A.TXT"));
  EXPECT_EQ(drive.tree.Listing(), "dir/\ndir/ro.txt\n");
  EXPECT_EQ(FileAttributes("C:\\dir\\a.txt"), kInvalidAttributes);
}

}  // namespace
