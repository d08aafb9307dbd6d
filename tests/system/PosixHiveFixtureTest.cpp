// The registry files the tests are made of are real: the field's own readers read them.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/TempTree.h"
#include "support/posix/RegistryHive.h"

namespace {

using testsupport::RegistryHive;

// Standard output of a shell command, and whether it ended with status 0.
struct Output {
  bool ok = false;
  std::string text;
};

Output Shell(const std::string& command) {
  Output output;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return output;
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) output.text.append(chunk, got);
  output.ok = pclose(pipe) == 0;
  return output;
}

// A tool that is missing fails the case: install-deps.sh test installs it.
void RequireTool(const char* tool) {
  ASSERT_TRUE(Shell(std::string("command -v ") + tool).ok)
      << tool << " is missing (scripts/install-deps.sh test installs it)";
}

RegistryHive Sample(RegistryHive::Kind kind) {
  RegistryHive hive(kind);
  hive.SetText(testsupport::kCurrentVersionKey, "ProgramFilesDir", "C:\\Program Files")
      .SetText(testsupport::kCurrentVersionKey, "Long", std::string(300, 'L'))
      .SetText(testsupport::kCurrentVersionKey, "Path", "%SystemRoot%", hivefixture::kRegExpandSz)
      .SetText("Software\\MICROSOFT\\windows nt\\CurrentVersion", "CSDVersion", "Service Pack 3");
  return hive;
}

TEST(PosixHiveFixtures, HivexgetReadsTheNtHive) {
  RequireTool("hivexget");
  testsupport::TempTree tree;
  tree.File("SOFTWARE", Sample(RegistryHive::Kind::Nt).Bytes());
  const std::string file = tree.Path("SOFTWARE");
  Output read = Shell("hivexget " + file + " '\\Microsoft\\Windows\\CurrentVersion' ProgramFilesDir");
  EXPECT_TRUE(read.ok) << read.text;
  EXPECT_EQ(read.text, "C:\\Program Files\n");
  read = Shell("hivexget " + file + " '\\microsoft\\WINDOWS\\currentversion' Long");
  EXPECT_EQ(read.text, std::string(300, 'L') + "\n");
  // The whole key in the library's own export form: every value with its type.
  read = Shell("hivexget " + file + " '\\Microsoft\\Windows\\CurrentVersion'");
  EXPECT_NE(read.text.find("\"ProgramFilesDir\"=\"C:\\\\Program Files\""), std::string::npos)
      << read.text;
  EXPECT_NE(read.text.find("\"Path\"=str(2):\"%SystemRoot%\""), std::string::npos) << read.text;
  read = Shell("hivexget " + file + " '\\MICROSOFT\\windows nt\\CurrentVersion' CSDVersion");
  EXPECT_EQ(read.text, "Service Pack 3\n");
}

TEST(PosixHiveFixtures, CregexportReadsThe9xFile) {
  RequireTool("cregexport");
  testsupport::TempTree tree;
  tree.File("SYSTEM.DAT", Sample(RegistryHive::Kind::Win9x).Bytes());
  const Output read = Shell("cregexport " + tree.Path("SYSTEM.DAT"));
  ASSERT_TRUE(read.ok) << read.text;
  for (const char* line :
       {"Key path: Software\\Microsoft\\Windows\\CurrentVersion\n",
        "Key path: Software\\Microsoft\\windows nt\\CurrentVersion\n",
        "Value: 0 ProgramFilesDir\nType: string (REG_SZ)\nData size: 17\nData: C:\\Program Files\n",
        "Value: 2 Path\nType: expandable string (REG_EXPAND_SZ)\n",
        "Data: Service Pack 3\n"})
    EXPECT_NE(read.text.find(line), std::string::npos) << line << "\nin\n" << read.text;
  EXPECT_NE(read.text.find("Data: " + std::string(300, 'L') + "\n"), std::string::npos);
}

}  // namespace
