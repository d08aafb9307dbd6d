// The registry reader in its child process: what passes between the two, and what the host
// makes of a reader that fails in any way (stand-in readers are shell scripts).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "hive/HiveLookup.h"
#include "support/TempTree.h"
#include "support/posix/RegistryHive.h"
#include "system/posix/HiveReader.h"

namespace {

using HiveLookup::Kind;
using HiveLookup::Lookup;
using HiveLookup::ValueState;
using testsupport::TempTree;

TEST(PosixHiveLookup, AnswersReadBackAsTheyWereWritten) {
  Lookup found;
  found.keyFound = true;
  found.value = ValueState::Found;
  found.type = 1;
  found.data = std::string("C\0:\0", 4);
  found.size = 4;
  auto back = HiveLookup::Decode(HiveLookup::Encode(found, true), true);
  ASSERT_TRUE(back);
  EXPECT_TRUE(back->keyFound);
  EXPECT_EQ(back->value, ValueState::Found);
  EXPECT_EQ(back->type, 1u);
  EXPECT_EQ(back->data, found.data);

  Lookup tooLarge;
  tooLarge.keyFound = true;
  tooLarge.value = ValueState::TooLarge;
  tooLarge.size = HiveLookup::kLargestValue + 1;
  back = HiveLookup::Decode(HiveLookup::Encode(tooLarge, true), true);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->value, ValueState::TooLarge);
  EXPECT_EQ(back->size, HiveLookup::kLargestValue + 1);

  EXPECT_EQ(HiveLookup::Encode(Lookup{}, true), std::string("QFH1\0", 5));  // no key, no value
  EXPECT_TRUE(HiveLookup::Decode(std::string("QFH1\1", 5), false)->keyFound);
}

TEST(PosixHiveLookup, AnswersOutOfFormAreNone) {
  const std::string good = HiveLookup::Encode(Lookup{true, ValueState::Found, 1, 3, "abc"}, true);
  for (std::size_t cut = 0; cut < good.size(); ++cut)
    EXPECT_FALSE(HiveLookup::Decode(good.substr(0, cut), true)) << cut;  // cut short
  EXPECT_FALSE(HiveLookup::Decode(good + "x", true));                    // something after
  EXPECT_FALSE(HiveLookup::Decode("QFH2" + good.substr(4), true));       // another form
  EXPECT_FALSE(HiveLookup::Decode(std::string("QFH1\2", 5), false));     // a key neither there nor not
  EXPECT_FALSE(HiveLookup::Decode(std::string("QFH1\1\3", 6), true));    // a value state unknown
  // "Too large" for a value that is small, and a value larger than any handed back.
  EXPECT_FALSE(HiveLookup::Decode(std::string("QFH1\1\2\1\0\0\0\5\0\0\0", 14), true));
  EXPECT_FALSE(HiveLookup::Decode(std::string("QFH1\1\1\1\0\0\0\1\0\x10\0", 14) +
                                      std::string(0x100001, 'x'), true));
}

// A stand-in reader: a shell script doing what a misbehaving reader might.
class StandIn {
 public:
  explicit StandIn(const std::string& body) {
    tree_.File("reader", "#!/bin/sh\n" + body + "\n");
    chmod(path_.c_str(), 0755);
    tree_.File("hive", "not read by the stand-in");
    file_ = open(tree_.Path("hive").c_str(), O_RDONLY | O_CLOEXEC);
  }
  ~StandIn() { close(file_); }

  // What the script wrote into the file "out" beside itself ("$(dirname "$0")/out").
  std::string Out() const { return tree_.Read("out"); }

  std::optional<Lookup> Ask(std::chrono::milliseconds limit = std::chrono::milliseconds(2000)) const {
    return PosixHost::AskReader(path_, file_, Kind::Nt, "Microsoft", std::string("v"), limit);
  }

 private:
  TempTree tree_;
  std::string path_ = tree_.Path("reader");
  int file_ = -1;
};

TEST(PosixHiveReader, WhateverGoesWrongInTheReaderIsAFileThatCannotBeRead) {
  EXPECT_TRUE(StandIn("printf 'QFH1\\001\\000'").Ask());  // the stand-in can answer at all
  EXPECT_FALSE(StandIn("printf 'QFH1\\001\\000'; exit 1").Ask());      // answers, then fails
  EXPECT_FALSE(StandIn("printf 'QFH1\\001\\000'; kill -SEGV $$").Ask());  // answers, then dies
  EXPECT_FALSE(StandIn("printf 'QFH1\\001'").Ask());                     // says too little
  EXPECT_FALSE(StandIn("echo garbage").Ask());
  EXPECT_FALSE(StandIn("head -c 3000000 /dev/zero").Ask());              // says far too much
  EXPECT_FALSE(StandIn("exec cat <&3").Ask());                           // the file itself
  // Its only input is nothing, and its only output is the answer.
  EXPECT_TRUE(StandIn("read x || printf 'QFH1\\001\\000'").Ask());
  EXPECT_TRUE(StandIn("echo noise >&2; printf 'QFH1\\001\\000'").Ask());
}

TEST(PosixHiveReader, AReaderThatTakesTooLongIsKilled) {
  // What it started dies with it: "sleep" runs on in a process of its own.
  for (const char* body : {"sleep 30", "printf 'QFH1\\001\\000'; sleep 30",
                           "while :; do :; done"}) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(StandIn(body).Ask(std::chrono::milliseconds(300))) << body;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << body;
  }
}

TEST(PosixHiveReader, WhatAKilledReaderStartedIsKilledWithIt) {
  const StandIn reader("sleep 30 & echo $! >\"$(dirname \"$0\")/out\"; wait");
  EXPECT_FALSE(reader.Ask(std::chrono::milliseconds(300)));
  const pid_t started = std::stoi(reader.Out());
  // Dead: gone, or a zombie that its new parent has yet to reap.
  auto dead = [started] {
    std::ifstream stat("/proc/" + std::to_string(started) + "/stat");
    std::string pid, name, state;
    return !(stat >> pid >> name >> state) || state == "Z" || state == "X";
  };
  bool gone = false;
  for (int i = 0; i < 200 && !gone; ++i, usleep(5000)) gone = dead();
  EXPECT_TRUE(gone) << started;
}

TEST(PosixHiveReader, AMissingReaderIsSaidOnce) {
  TempTree tree;
  tree.File("hive", "x");
  const int file = open(tree.Path("hive").c_str(), O_RDONLY | O_CLOEXEC);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(PosixHost::AskReader(tree.Path("no-reader"), file, Kind::Nt, "", std::nullopt));
  EXPECT_FALSE(PosixHost::AskReader(tree.Path("no-reader"), file, Kind::Nt, "", std::nullopt));
  const std::string said = ::testing::internal::GetCapturedStderr();
  close(file);
  EXPECT_EQ(said, "quillfen: cannot run the registry reader " + tree.Path("no-reader") +
                      ": No such file or directory\n");
}

// The value as each kind of file holds it: UTF-16LE text from an NT hive, UTF-8 from a 9x one.
TEST(PosixHiveReader, TheBuiltReaderIsFoundAndReadsBothKinds) {
  using testsupport::RegistryHive;
  for (const RegistryHive::Kind kind : {RegistryHive::Kind::Nt, RegistryHive::Kind::Win9x}) {
    const bool nt = kind == RegistryHive::Kind::Nt;
    TempTree tree;
    RegistryHive hive(kind);
    hive.SetText(testsupport::kCurrentVersionKey, "ProgramFilesDir", "C:\\Ohjelmat");
    tree.File("registry", hive.Bytes());
    const int file = open(tree.Path("registry").c_str(), O_RDONLY | O_CLOEXEC);
    const auto lookup = PosixHost::AskReader(
        PosixHost::ReaderProgram(), file, nt ? Kind::Nt : Kind::Win9x,
        nt ? "Microsoft\\Windows\\CurrentVersion" : testsupport::kCurrentVersionKey,
        std::string("ProgramFilesDir"));
    close(file);
    ASSERT_TRUE(lookup) << PosixHost::ReaderProgram();
    EXPECT_TRUE(lookup->keyFound);
    EXPECT_EQ(lookup->value, ValueState::Found);
    EXPECT_EQ(lookup->type, 1u);
    EXPECT_EQ(lookup->data, nt ? std::string("C\0:\0\\\0O\0h\0j\0e\0l\0m\0a\0t\0\0\0", 24)
                               : std::string("C:\\Ohjelmat\0", 12));
  }
}

}  // namespace

namespace {

// The reader below the nearest folder above a program that holds one, and only one that
// nobody but its owner (root or the user) may change.
TEST(PosixHiveReader, TheReaderIsFoundBelowTheNearestPrefixThatOnlyItsOwnerMayChange) {
  TempTree tree;
  const std::string reader = "libexec/quillfen/quillfen-read-hive";
  tree.File("usr/" + reader, "#!/bin/sh\n");
  chmod(tree.Path("usr/" + reader).c_str(), 0755);
  EXPECT_EQ(PosixHost::ReaderFor(tree.Path("usr/bin/quillfen")), tree.Path("usr/" + reader));
  EXPECT_EQ(PosixHost::ReaderFor(tree.Path("usr/src/app/quillfen")), tree.Path("usr/" + reader));
  tree.File("usr/src/" + reader, "#!/bin/sh\n");
  chmod(tree.Path("usr/src/" + reader).c_str(), 0755);
  EXPECT_EQ(PosixHost::ReaderFor(tree.Path("usr/src/app/quillfen")), tree.Path("usr/src/" + reader));
  // One that others may change, or that cannot run, is passed over.
  chmod(tree.Path("usr/src/libexec").c_str(), 0777);
  EXPECT_EQ(PosixHost::ReaderFor(tree.Path("usr/src/app/quillfen")), tree.Path("usr/" + reader));
  chmod(tree.Path("usr/" + reader).c_str(), 0757);
  EXPECT_EQ(PosixHost::ReaderFor(tree.Path("usr/src/app/quillfen")), "");
  chmod(tree.Path("usr/" + reader).c_str(), 0644);
  EXPECT_EQ(PosixHost::ReaderFor(tree.Path("usr/bin/quillfen")), "");
  chmod(tree.Path("usr/src/libexec").c_str(), 0755);
}

}  // namespace
