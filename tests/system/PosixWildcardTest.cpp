// Windows wildcard matching, DOS rules included.
#include <gtest/gtest.h>

#include "system/posix/Wildcard.h"

namespace {

using PosixHost::MatchesWildcard;

TEST(PosixWildcard, StarDotStarMatchesEveryNameWithOrWithoutADot) {
  for (const char* name : {"README", "a.b", "Windows Update.log", ".", "..", ".profile"}) {
    EXPECT_TRUE(MatchesWildcard("*.*", name)) << name;
    EXPECT_TRUE(MatchesWildcard("*", name)) << name;
  }
}

TEST(PosixWildcard, MatchingIgnoresAsciiCase) {
  EXPECT_TRUE(MatchesWildcard("*.log", "Windows Update.LOG"));
  EXPECT_TRUE(MatchesWildcard("IUHIST.XML", "iuhist.xml"));
  EXPECT_TRUE(MatchesWildcard("*.W98", "a.w98"));
  EXPECT_FALSE(MatchesWildcard("*.log", "update.lo"));
}

TEST(PosixWildcard, AStarBeforeADotStopsAtTheLastDot) {
  EXPECT_TRUE(MatchesWildcard("*.txt", "a.b.txt"));
  EXPECT_FALSE(MatchesWildcard("*.txt", "a.txt.bak"));
  EXPECT_FALSE(MatchesWildcard("*.txt", "atxt"));
  EXPECT_TRUE(MatchesWildcard("a*b", "aXXb"));
  EXPECT_FALSE(MatchesWildcard("a*b", "aXXbc"));
}

TEST(PosixWildcard, StarDotMatchesNamesWithoutADot) {
  EXPECT_TRUE(MatchesWildcard("*.", "README"));
  EXPECT_FALSE(MatchesWildcard("*.", "a.txt"));
  EXPECT_TRUE(MatchesWildcard("readme.", "README"));
}

TEST(PosixWildcard, AQuestionMarkTakesOneCharacterButNeverADot) {
  EXPECT_TRUE(MatchesWildcard("a?c", "abc"));
  EXPECT_FALSE(MatchesWildcard("a?c", "ac"));
  EXPECT_FALSE(MatchesWildcard("a?c", "a.c"));
  // Before a dot or at the end it may match nothing.
  EXPECT_TRUE(MatchesWildcard("file?.txt", "file1.txt"));
  EXPECT_TRUE(MatchesWildcard("file?.txt", "file.txt"));
  EXPECT_FALSE(MatchesWildcard("file?.txt", "file12.txt"));
  EXPECT_TRUE(MatchesWildcard("abc??", "abc"));
  EXPECT_TRUE(MatchesWildcard("abc??", "abcde"));
  EXPECT_FALSE(MatchesWildcard("abc??", "abcdef"));
  EXPECT_FALSE(MatchesWildcard("?", "."));
}

TEST(PosixWildcard, OtherCharactersStandForThemselves) {
  EXPECT_TRUE(MatchesWildcard("[a].txt", "[A].TXT"));
  EXPECT_FALSE(MatchesWildcard("[a].txt", "a.txt"));
  EXPECT_FALSE(MatchesWildcard("a.txt", "a.txtx"));
  EXPECT_FALSE(MatchesWildcard("", "a"));
}

}  // namespace
