// A file opened once: what was judged is what is read, whatever the name meets afterwards.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/TempTree.h"
#include "system/posix/OpenedFile.h"

namespace {

using PosixHost::OpenRegularFile;
using testsupport::TempTree;

TEST(PosixOpenedFile, OnlyARegularFileOfADiskOpensAndNothingWaits) {
  TempTree tree;
  tree.File("file", "bytes");
  tree.Folder("folder");
  ASSERT_EQ(mkfifo(tree.Path("fifo").c_str(), 0644), 0);
  ASSERT_EQ(symlink(tree.Path("file").c_str(), tree.Path("link").c_str()), 0);
  ASSERT_EQ(symlink("/dev/zero", tree.Path("zero").c_str()), 0);

  const auto file = OpenRegularFile(tree.Path("file"), 1000);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->ReadAll(), "bytes");
  EXPECT_EQ(file->Info().st_size, 5);
  EXPECT_FALSE(OpenRegularFile(tree.Path("file"), 4));  // larger than allowed
  for (const char* name : {"folder", "fifo", "link", "zero", "missing"})
    EXPECT_FALSE(OpenRegularFile(tree.Path(name), 1000)) << name;
  // The running machine's files are no disk's, even where they look like regular files.
  for (const char* path : {"/dev/zero", "/proc/self/status", "/sys/kernel/mm/transparent_hugepage/enabled"})
    EXPECT_FALSE(OpenRegularFile(path, 1 << 20)) << path;
}

TEST(PosixOpenedFile, TheBytesComeFromWhatWasOpenedNotFromTheName) {
  TempTree tree;
  tree.File("export.reg", "the file that was judged");
  const auto file = OpenRegularFile(tree.Path("export.reg"), 1000);
  ASSERT_TRUE(file);
  ASSERT_EQ(unlink(tree.Path("export.reg").c_str()), 0);
  ASSERT_EQ(mkfifo(tree.Path("export.reg").c_str(), 0644), 0);  // would block a reopen
  EXPECT_EQ(file->ReadAll(), "the file that was judged");

  // Cut short after it was opened: what is left, never more than its size when opened.
  tree.File("growing", "0123456789");
  const auto growing = OpenRegularFile(tree.Path("growing"), 1000);
  ASSERT_TRUE(growing);
  ASSERT_EQ(truncate(tree.Path("growing").c_str(), 4), 0);
  EXPECT_EQ(growing->ReadAll(), "0123");
  tree.File("growing", "0123456789abcdef");
  EXPECT_EQ(growing->ReadAll(), "0123456789");
}

}  // namespace
