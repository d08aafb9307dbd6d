// Two saves into one save folder at once (two windows, two programs): one waits for the
// other, so neither replaces the other's files in the middle of its save; one that waits too
// long says so and saves nothing.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <set>

#include "HostileWorld.h"
#include "scan/ScanProcess.h"

namespace hostile {
namespace {

constexpr int kFiles = 200;

class OneSaveAtATime : public HostileWorld {
 protected:
  // Two loose folders of inventories with the same names and different contents.
  void TwoSources() {
    for (const char* source : {"one", "two"})
      for (int i = 0; i < kFiles; ++i)
        tree.File(std::string("e/") + source + "/f" + std::to_string(i) + ".inv", source, 2001);
  }

  // The folder scan of `source` saving into E:\out, in a child that starts when `go` is
  // written; the child's exit status says whether its save ended with the success box.
  pid_t SaveInChild(const std::string& source, int go) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
      char start;
      if (read(go, &start, 1) != 1) _exit(3);
      dialogs.SaveInto({"E:\\out"});
      dialogs.calls.clear();
      ScanProcess::ScanFolder(source);
      const bool saved = !dialogs.calls.empty() &&
                         dialogs.calls.back() == "open: E:\\out\\CVL_SAVE";
      // What it was told instead, for the case's failure.
      if (!saved)
        for (const std::string& call : dialogs.calls) std::fprintf(stderr, "%s\n", call.c_str());
      _exit(saved ? 0 : 1);
    }
    return child;
  }
};

TEST_F(OneSaveAtATime, TwoSavesAtOnceNeverMixTheirFiles) {
  TwoSources();
  tree.Folder("e/out");
  Arm();
  int mixed = 0, failed = 0;
  for (int round = 0; round < 50; ++round) {
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    const pid_t one = SaveInChild("E:\\one", go[0]);
    const pid_t two = SaveInChild("E:\\two", go[0]);
    ASSERT_EQ(write(go[1], "go", 2), 2);  // both at once
    close(go[0]);
    close(go[1]);
    for (pid_t child : {one, two}) {
      int status = 0;
      waitpid(child, &status, 0);
      if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failed;
    }
    // Saved one after the other, the folder holds the whole of the later save.
    std::set<std::string> contents;
    for (int i = 0; i < kFiles; ++i)
      contents.insert(tree.Read("e/out/CVL_SAVE/f" + std::to_string(i) + ".inv"));
    if (contents.size() != 1) ++mixed;
  }
  EXPECT_EQ(mixed, 0) << "rounds whose save folder held files of both saves";
  EXPECT_EQ(failed, 0) << "saves that did not end with the success box";
}

// Another save that holds the folder longer than a save waits (here the case itself holds it).
TEST_F(OneSaveAtATime, ASaveThatWaitsTooLongSaysSoAndSavesNothing) {
  tree.File("c/Program Files/WindowsUpdate/a.w98", "a", 2004);
  tree.File("e/one/f.inv", "one", 2001);
  tree.Folder("c/CVL_SAVE");
  tree.Folder("e/out/CVL_SAVE");
  Arm();
  const int local = open(tree.Path("c/CVL_SAVE").c_str(), O_RDONLY | O_DIRECTORY);
  const int out = open(tree.Path("e/out/CVL_SAVE").c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(flock(local, LOCK_EX), 0);
  ASSERT_EQ(flock(out, LOCK_EX), 0);

  EXPECT_EQ(ScanLocal(),
            "<t> - Another scan is saving into C:\\CVL_SAVE at this moment.\r\n"
            "<t> - Scan aborted.");
  dialogs.SaveInto({"E:\\out"});
  EXPECT_EQ(ScanFolder("E:\\one"),
            (Calls{"box: You will now be prompted to specify the location where you'd like to "
                   "save your Windows Update files.",
                   "pick: Where would you like to save your Windows Update files?",
                   "box: Another scan is saving into E:\\out\\CVL_SAVE at this moment. Please "
                   "try again once it has finished.\n\nNo file has been saved."}));
  EXPECT_EQ(dialogs.boxes.back().icon, UserDialogs::Icon::Critical);
  EXPECT_EQ(Saved("c/CVL_SAVE"), "");
  EXPECT_EQ(Saved("e/out/CVL_SAVE"), "");
  close(local);
  close(out);
}

}  // namespace
}  // namespace hostile
