// The POSIX host without an export: HKEY_LOCAL_MACHINE, windir and the version record come
// from the registry files of the Windows on C: (an NT SOFTWARE hive or a 9x SYSTEM.DAT).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "support/HostGuard.h"
#include "support/TempTree.h"
#include "support/posix/RegistryHive.h"
#include "system/FileTools.h"
#include "system/WindowsApi.h"
#include "system/WindowsTools.h"

namespace {

using testsupport::HostGuard;
using testsupport::kCurrentVersionKey;
using testsupport::RegistryHive;
using testsupport::TempTree;
using Kind = RegistryHive::Kind;

constexpr const char* kErrorOpeningKey = "(Error opening key)";
constexpr const char* kFailedToRead = "(Failed to read value)";

// Drive C: of a temporary tree, and none of the variables that stand in for a registry, a
// Windows folder or a version.
class HiveMachine {
 protected:
  TempTree tree;
  HostGuard drives{HostGuard::Setting::Drives, ("C=" + tree.Root()).c_str()};
  HostGuard noExport{HostGuard::Setting::Registry, nullptr};
  HostGuard noWindir{HostGuard::Setting::Windir, nullptr};
  HostGuard noVersion{HostGuard::Setting::Version, nullptr};

  void Place(const RegistryHive& hive, const std::string& windowsFolder = "WINDOWS") const {
    tree.File(hive.PathIn(windowsFolder), hive.Bytes());
  }
};

class PosixHiveRegistry : public ::testing::TestWithParam<Kind>, protected HiveMachine {
 protected:
  // The Program Files folder the host gives for a registry of this kind, laid out by `fill`.
  std::string ProgramFilesOf(const std::function<void(RegistryHive&)>& fill) {
    RegistryHive hive(GetParam());
    fill(hive);
    Place(hive);
    return FileTools::GetProgramFilesDir();
  }
  std::string HivePath() const { return RegistryHive(GetParam()).PathIn(); }
};

INSTANTIATE_TEST_SUITE_P(BothKinds, PosixHiveRegistry, ::testing::Values(Kind::Nt, Kind::Win9x),
                         [](const auto& info) { return info.param == Kind::Nt ? "Nt" : "Win9x"; });

TEST_P(PosixHiveRegistry, TextValuesAndTheirFailures) {
  auto text = [](std::string value, std::uint32_t type = hivefixture::kRegSz) {
    return [=](RegistryHive& hive) {
      hive.SetText(kCurrentVersionKey, "CommonFilesDir", "C:\\Common");
      hive.SetText(kCurrentVersionKey, "ProgramFilesDir", value, type);
    };
  };
  EXPECT_EQ(ProgramFilesOf(text("C:\\Program Files")), "C:\\Program Files");
  EXPECT_EQ(ProgramFilesOf(text("C:\\Program Files", hivefixture::kRegExpandSz)), kFailedToRead);
  EXPECT_EQ(ProgramFilesOf(text("")), "");
  EXPECT_EQ(ProgramFilesOf(text(std::string(259, 'p'))), std::string(259, 'p'));  // and its NUL
  EXPECT_EQ(ProgramFilesOf(text(std::string(300, 'p'))), kFailedToRead);          // > 260
  EXPECT_EQ(ProgramFilesOf([](RegistryHive& hive) {
              hive.SetText(kCurrentVersionKey, "CommonFilesDir", "C:\\Common");
            }),
            kFailedToRead);  // the value missing
  // Text stored without its NUL, and with no bytes at all.
  auto raw = [](std::string bytes) {
    return [=](RegistryHive& hive) {
      hive.Key(kCurrentVersionKey).Set("ProgramFilesDir", hivefixture::kRegSz, bytes);
    };
  };
  const bool wide = GetParam() == Kind::Nt;
  EXPECT_EQ(ProgramFilesOf(raw(wide ? std::string("C\0:\0\\\0P\0", 8) : "C:\\P")), "C:\\P");
  EXPECT_EQ(ProgramFilesOf(raw("")), "");
}

TEST_P(PosixHiveRegistry, AKeyThatIsNotThereDoesNotOpen) {
  EXPECT_EQ(ProgramFilesOf([](RegistryHive& hive) {
              hive.SetText("Software\\Microsoft\\Windows", "ProgramFilesDir", "C:\\Program Files");
            }),
            kErrorOpeningKey);
  WindowsApi::RegistryKey* key = nullptr;
  EXPECT_EQ(WindowsApi::OpenMachineKey("Software\\Microsoft\\Windows", key), WindowsApi::kErrorSuccess);
  WindowsApi::CloseKey(key);
  EXPECT_EQ(WindowsApi::OpenMachineKey("Software\\Nowhere", key), WindowsApi::kErrorFileNotFound);
  EXPECT_EQ(key, nullptr);
}

TEST_P(PosixHiveRegistry, NamesAreFoundInAnyCase) {
  RegistryHive hive(GetParam());
  hive.SetText("SOFTWARE\\MICROSOFT\\windows\\CurrentVERSION", "PROGRAMFILESDIR", "C:\\Programs");
  tree.File(HivePath() == "WINDOWS/SYSTEM.DAT" ? "windows/system.dat"
                                               : "Windows/SYSTEM32/Config/software",
            hive.Bytes());
  EXPECT_EQ(FileTools::GetProgramFilesDir(), "C:\\Programs");
  EXPECT_EQ(WindowsApi::EnvironmentValue("windir"), GetParam() == Kind::Nt ? "C:\\Windows" : "C:\\windows");
}

TEST_P(PosixHiveRegistry, AHiveCutShortAtAnyPageOpensNoKey) {
  RegistryHive hive(GetParam());
  hive.SetText(kCurrentVersionKey, "ProgramFilesDir", "C:\\Program Files");
  hive.SetText(kCurrentVersionKey, "Long", std::string(300, 'x'));
  const std::string whole = hive.Bytes();
  tree.File(HivePath(), whole);
  ASSERT_EQ(FileTools::GetProgramFilesDir(), "C:\\Program Files");
  std::size_t cuts = 0;
  for (std::size_t size = 0; size < whole.size(); size += 512, ++cuts) {
    tree.File(HivePath(), whole.substr(0, size));
    EXPECT_EQ(FileTools::GetProgramFilesDir(), kErrorOpeningKey) << size << " of " << whole.size();
  }
  EXPECT_GE(cuts, 8u);
}

TEST_P(PosixHiveRegistry, NoRegularFileNoKey) {
  tree.File(HivePath(), "");
  EXPECT_EQ(FileTools::GetProgramFilesDir(), kErrorOpeningKey);  // empty
  tree.File(HivePath(), std::string(8192, '\0'));
  EXPECT_EQ(FileTools::GetProgramFilesDir(), kErrorOpeningKey);  // not a registry file
  std::remove(tree.Path(HivePath()).c_str());
  tree.Folder(HivePath());
  EXPECT_EQ(FileTools::GetProgramFilesDir(), kErrorOpeningKey);  // a folder
  rmdir(tree.Path(HivePath()).c_str());
  // A FIFO is never opened: opening it to read would wait for a writer for good.
  ASSERT_EQ(mkfifo(tree.Path(HivePath()).c_str(), 0644), 0);
  EXPECT_EQ(FileTools::GetProgramFilesDir(), kErrorOpeningKey);
}

class PosixHiveMachine : public ::testing::Test, protected HiveMachine {};

TEST_F(PosixHiveMachine, TheVersionRecordComesFromTheSameRegistry) {
  RegistryHive xp(Kind::Nt);
  xp.SetText("Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", "5.1")
      .SetText("Software\\Microsoft\\Windows NT\\CurrentVersion", "CSDVersion", "Service Pack 3");
  Place(xp);
  WindowsApi::VersionRecord record;
  ASSERT_TRUE(WindowsApi::QueryVersion(record));
  EXPECT_EQ(record.platformId, 2u);
  EXPECT_EQ(record.majorVersion, 5u);
  EXPECT_EQ(record.minorVersion, 1u);
  EXPECT_STREQ(record.csdVersion, "Service Pack 3");
  EXPECT_EQ(WindowsTools::GetOSName(), "Microsoft Windows XP");
  {
    HostGuard winver(HostGuard::Setting::Version, "1.4.90");  // the variable, when set, says it
    EXPECT_EQ(WindowsTools::GetOSName(), "Microsoft Windows Millennium Edition");
  }

  std::remove(tree.Path(xp.PathIn()).c_str());
  RegistryHive se(Kind::Win9x);
  se.SetText(kCurrentVersionKey, "VersionNumber", "4.10.2222")
      .SetText(kCurrentVersionKey, "SubVersionNumber", " A ");
  Place(se);
  ASSERT_TRUE(WindowsApi::QueryVersion(record));
  EXPECT_EQ(record.platformId, 1u);
  EXPECT_EQ(record.majorVersion, 4u);
  EXPECT_EQ(record.minorVersion, 10u);
  EXPECT_EQ(record.buildNumber, 2222u);
  EXPECT_STREQ(record.csdVersion, " A ");
  EXPECT_EQ(WindowsTools::GetOSName(), "Microsoft Windows 98 Second Edition");

  // Nothing that reads as a version: the answer stays what it was without a registry.
  RegistryHive odd(Kind::Win9x);
  odd.SetText(kCurrentVersionKey, "VersionNumber", "four.ten");
  Place(odd);
  EXPECT_FALSE(WindowsApi::QueryVersion(record));
  EXPECT_EQ(WindowsTools::GetOSName(), "Unknown Operating System");
  std::remove(tree.Path(odd.PathIn()).c_str());
  EXPECT_EQ(WindowsTools::GetOSName(), "Unknown Operating System");
}

TEST_F(PosixHiveMachine, WindirIsTheWindowsFolderAtTheTopOfC) {
  EXPECT_EQ(WindowsApi::EnvironmentValue("windir"), std::nullopt);
  EXPECT_EQ(WindowsTools::GetSystemDrive(), "");
  tree.File("windows/win.ini");
  EXPECT_EQ(WindowsApi::EnvironmentValue("windir"), "C:\\windows");  // spelt as on disk
  EXPECT_EQ(WindowsApi::EnvironmentValue("WINDIR"), "C:\\windows");
  EXPECT_EQ(WindowsTools::GetSystemDrive(), "C");
  // A drive that holds both is taken for the NT installation, as the drive scan takes it.
  tree.Folder("WINNT");
  EXPECT_EQ(WindowsApi::EnvironmentValue("windir"), "C:\\WINNT");
  {
    HostGuard windir(HostGuard::Setting::Windir, "D:\\OTHER");  // the environment's, when it has one
    EXPECT_EQ(WindowsApi::EnvironmentValue("windir"), "D:\\OTHER");
  }
  tree.File("WINNT.TXT");  // a file of that name is no Windows folder
  rmdir(tree.Path("WINNT").c_str());
  std::remove(tree.Path("windows/win.ini").c_str());
  rmdir(tree.Path("windows").c_str());
  tree.File("WINDOWS");
  EXPECT_EQ(WindowsApi::EnvironmentValue("windir"), std::nullopt);
}

TEST_F(PosixHiveMachine, TheRegistryIsTheOneOfTheWindowsFolderInForce) {
  RegistryHive nt(Kind::Nt), win98(Kind::Win9x);
  nt.SetText(kCurrentVersionKey, "ProgramFilesDir", "C:\\Program Files");
  win98.SetText(kCurrentVersionKey, "ProgramFilesDir", "C:\\Programme");
  // An NT folder that kept the SYSTEM.DAT of the Windows 98 it replaced reads its hive.
  Place(nt);
  Place(win98);
  EXPECT_EQ(FileTools::GetProgramFilesDir(), "C:\\Program Files");
  // WINNT is windir now; its registry is missing, whatever WINDOWS holds.
  tree.Folder("WINNT");
  EXPECT_EQ(FileTools::GetProgramFilesDir(), kErrorOpeningKey);
  {
    HostGuard windir(HostGuard::Setting::Windir, "C:\\WIN98");
    EXPECT_EQ(FileTools::GetProgramFilesDir(), kErrorOpeningKey);
    Place(win98, "WIN98");
    EXPECT_EQ(FileTools::GetProgramFilesDir(), "C:\\Programme");
  }
  // An export, when one is named, is the registry: the files are not read.
  tree.File("machine.reg",
            "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\n"
            "\"ProgramFilesDir\"=\"C:\\\\From Export\"\n");
  Place(nt, "WINNT");
  EXPECT_EQ(FileTools::GetProgramFilesDir(), "C:\\Program Files");
  HostGuard exported(HostGuard::Setting::Registry, tree.Path("machine.reg").c_str());
  EXPECT_EQ(FileTools::GetProgramFilesDir(), "C:\\From Export");
}

}  // namespace
