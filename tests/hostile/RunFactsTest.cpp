// A scan and its save are one run: what the scan's listing found of each file answers the
// save's questions about it. A file that has gone by the time its copy opens it is the save's
// "gone since the scan" case, passed over without a word.
#include <unistd.h>

#include "HostileWorld.h"
#include "scan/ScanProcess.h"

namespace hostile {
namespace {

// Removes a file of the scanned folder while the person picks where to save.
class RemovingPicker : public testsupport::FakeDialogs {
 public:
  explicit RemovingPicker(std::string path) : path_(std::move(path)) {}
  std::string PickFolder(const std::string& prompt, UserDialogs::Question question) override {
    unlink(path_.c_str());
    return FakeDialogs::PickFolder(prompt, question);
  }

 private:
  std::string path_;
};

class RunFacts : public HostileWorld {};

TEST_F(RunFacts, AFileGoneBeforeItsCopyIsPassedOverWithoutAWord) {
  tree.File("e/src/kept.inv", "k", 2001);
  tree.File("e/src/gone.inv", "g", 2001);
  tree.Folder("e/out");
  Arm();
  Changes("e/src/gone.inv");
  RemovingPicker picker(tree.Path("e/src/gone.inv"));
  picker.SaveInto({"E:\\out"});
  ScanProcess::ScanFolder("E:\\src");
  EXPECT_EQ(picker.calls,
            SavedWithoutAWord("E:\\out\\CVL_SAVE"));
  EXPECT_EQ(Saved("e/out/CVL_SAVE"), "README.TXT\nkept.inv\n");
}

}  // namespace
}  // namespace hostile
