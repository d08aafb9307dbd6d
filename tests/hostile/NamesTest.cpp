// Names a Windows disk never holds: twins that differ only in case, characters no Windows
// path can carry, control characters, bytes that are no UTF-8, the longest names.
#include <sys/stat.h>

#include "HostileWorld.h"

namespace hostile {
namespace {

class Names : public HostileWorld {};

TEST_F(Names, CaseTwinsInAPickedFolderKeepTheFirstAndNameTheOthers) {
  tree.File("e/twins/A.GNG", "upper", 2004);
  tree.File("e/twins/A.gng", "mixed", 2004);
  tree.File("e/twins/a.gng", "lower", 2004);
  tree.File("e/out/CVL_SAVE/a.gng", "left by an earlier run", 2003);
  dialogs.SaveInto({"E:\\out"});
  Arm();
  const Calls calls = ScanFolder("E:\\twins");
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[3], "open: E:\\out\\CVL_SAVE");
  EXPECT_TRUE(Says(calls[2], {"did not fully succeed", CaseTwin("E:\\twins\\A.gng"),
                              CaseTwin("E:\\twins\\a.gng"), "The other files have been saved."}));
  // The earlier run's copy is replaced under its own spelling, with the first twin's bytes.
  EXPECT_EQ(Saved("e/out/CVL_SAVE"), "README.TXT\na.gng\n");
  EXPECT_EQ(tree.Read("e/out/CVL_SAVE/a.gng"), "upper");
}

TEST_F(Names, CaseTwinsFoundByTheLocalScanAreEachALine) {
  tree.File("c/Program Files/WindowsUpdate/X.W98", "upper", 2004);
  tree.File("c/Program Files/WindowsUpdate/x.w98", "lower", 2004);
  tree.File("c/Program Files/OfficeUpdate/Cache/o.cab", "upper folder", 2003);
  tree.File("c/Program Files/OfficeUpdate/cache/o.cab", "lower folder", 2003);
  tree.SetTime("c/Program Files/OfficeUpdate", 2003);
  Arm();
  EXPECT_TRUE(Says(ScanLocal(),
                   {"<t> - File found: X.W98\r\n<t> - File found: x.w98\r\n<t> - " +
                        CaseTwin("x.w98"),
                    "<t> - " + CaseTwin("C:\\Program Files\\OfficeUpdate\\cache\\o.cab"),
                    "<t> - Scan ended. Saved files can be found in C:\\CVL_SAVE."}));
  EXPECT_EQ(tree.Read("c/CVL_SAVE/X.W98"), "upper");
  EXPECT_EQ(tree.Read("c/CVL_SAVE/OfficeUpdate/Cache/o.cab"), "upper folder");
  EXPECT_EQ(dialogs.calls, Calls{"box: Error copying directory"});
}

TEST_F(Names, NamesNoWindowsPathCanHoldAreNeverSeenOrRead) {
  for (const std::string odd : {"back\\slash.gng", "co:lon.gng", "st*r.gng", "q?.gng",
                                "quo\"te.gng", "les<s.gng", "mo>re.gng", "pi|pe.gng",
                                "tab\t.gng", "bell\a.gng", "line\nfeed.gng"})
    tree.File("e/odd/" + odd, "odd", 2004);
  tree.File("e/odd/plain.gng", "plain", 2004);
  tree.Folder("e/out");
  dialogs.SaveInto({"E:\\out"});
  Arm();
  ScanFolder("E:\\odd");
  EXPECT_EQ(Saved("e/out/CVL_SAVE"), "README.TXT\nplain.gng\n");
  EXPECT_EQ(dialogs.calls.size(), 4u);  // ask, pick, saved, open: nothing went wrong
}

TEST_F(Names, ForeignBytesAndTheLongestNamesAreCopiedAsTheyAre) {
  const std::string latin1 = "caf\xe9.w98";      // no UTF-8: an 8-bit code page's name
  const std::string longest = std::string(251, 'n') + ".gng";  // 255 bytes
  tree.File("e/foreign/" + latin1, "latin-1", 2004);
  tree.File("e/foreign/" + longest, "long", 2004);
  tree.Folder("e/out");
  dialogs.SaveInto({"E:\\out"});
  Arm();
  ScanFolder("E:\\foreign");
  EXPECT_EQ(tree.Read("e/out/CVL_SAVE/" + latin1), "latin-1");
  EXPECT_EQ(tree.Read("e/out/CVL_SAVE/" + longest), "long");
  EXPECT_EQ(dialogs.calls.back(), "open: E:\\out\\CVL_SAVE");
}

}  // namespace
}  // namespace hostile
