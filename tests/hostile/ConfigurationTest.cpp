// Broken configuration: registry exports, drive tables and version records that are
// malformed, enormous or hostile. Each is said as what it is, and nothing crashes.
#include "HostileWorld.h"
#include "support/HostGuard.h"
#include "system/FileTools.h"
#include "system/WindowsTools.h"

namespace hostile {
namespace {

class Configuration : public HostileWorld {
 protected:
  void Registry(const std::string& bytes) { tree.File("machine.reg", bytes); }
  std::string ProgramFilesOf(const std::string& bytes) {
    Registry(bytes);
    return FileTools::GetProgramFilesDir();
  }
};

constexpr const char* kKey = "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\n";

TEST_F(Configuration, ARegistryExportWithAHundredThousandLevelKeyOpensNoKey) {
  tree.File("c/Program Files/WindowsUpdate/a.w98", "a", 2004);
  std::string deep = "REGEDIT4\n[HKEY_LOCAL_MACHINE";
  for (int i = 0; i < 100000; ++i) deep += "\\k";
  Registry(deep + "]\n" + kKey + "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\n");
  Arm();
  EXPECT_EQ(ScanLocal(),
            "<t> - The WindowsUpdate directory does not exist in (Error opening key). Scan aborted.");
}

TEST_F(Configuration, MalformedRegistryExportsGiveTheFailureTexts) {
  EXPECT_EQ(ProgramFilesOf(""), "(Error opening key)");
  EXPECT_EQ(ProgramFilesOf("REGEDIT5\n"), "(Error opening key)");
  EXPECT_EQ(ProgramFilesOf(std::string("\xFF\xFE\x52", 3)), "(Error opening key)");  // odd UTF-16
  EXPECT_EQ(ProgramFilesOf(std::string(4096, '\0')), "(Error opening key)");
  EXPECT_EQ(ProgramFilesOf("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\"
                           "CurrentVersion\n\"ProgramFilesDir\"=\"x\"\n"),
            "(Error opening key)");  // the key line never closes
  EXPECT_EQ(ProgramFilesOf(std::string("REGEDIT4\n") + kKey + "\"ProgramFilesDir\"=\"C:\\\\Pro"),
            "(Failed to read value)");  // the value never closes
  EXPECT_EQ(ProgramFilesOf(std::string("REGEDIT4\n") + kKey +
                           "\"ProgramFilesDir\"=hex(2):43,00,3a,00\n"),
            "(Failed to read value)");  // not REG_SZ
  EXPECT_EQ(ProgramFilesOf(std::string("REGEDIT4\n") + kKey + "\"ProgramFilesDir\"=\"" +
                           std::string(300, 'p') + "\"\n"),
            "(Failed to read value)");  // longer than the 260-character buffer
  EXPECT_EQ(ProgramFilesOf(std::string("REGEDIT4\n") + kKey + "\"ProgramFilesDir\"=\"C:\\\\PF\"\n" +
                           std::string(100000, '[') + "\n"),
            "C:\\PF");  // lines that are nothing are passed over
}

TEST_F(Configuration, MalformedVersionRecordsNameNoWindows) {
  for (const char* text : {"", "garbage", "2.5", "2.5.x", "-1.5.1", "2.5.1.9", "99999999999.5.1",
                           "2..1", ":Service Pack 3"}) {
    testsupport::HostGuard version(testsupport::HostGuard::Setting::Version, text);
    EXPECT_EQ(WindowsTools::GetOSName(), "Unknown Operating System") << text;
  }
  testsupport::HostGuard version(testsupport::HostGuard::Setting::Version, ("2.5.1:" + std::string(1000, 's')).c_str());
  EXPECT_EQ(WindowsTools::GetOSName(), "Microsoft Windows XP");
}

TEST_F(Configuration, ADriveTableWithoutTheSystemDriveEndsTheScanWithItsLine) {
  tree.File("c/Program Files/WindowsUpdate/a.w98", "a", 2004);
  testsupport::HostGuard drives(testsupport::HostGuard::Setting::Drives, ";;=;C;C=;C=relative;C= /x;CC=/tmp");
  ::testing::internal::CaptureStderr();
  Arm();
  EXPECT_EQ(ScanLocal(),
            "<t> - The WindowsUpdate directory does not exist in C:\\Program Files. Scan aborted.");
  const std::string said = ::testing::internal::GetCapturedStderr();
  for (const char* entry : {"\"=\"", "\"C\"", "\"C=\"", "\"C=relative\"", "\"C= /x\"", "\"CC=/tmp\""})
    EXPECT_NE(said.find(std::string("QUILLFEN_DRIVES entry ") + entry), std::string::npos) << entry;
}

}  // namespace
}  // namespace hostile
