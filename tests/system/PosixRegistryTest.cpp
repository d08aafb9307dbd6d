// The registry of the POSIX host: an export file named by QUILLFEN_REGISTRY.
#include <gtest/gtest.h>

#include <malloc.h>

#include <fstream>

#include "support/HostGuard.h"
#include "support/TempTree.h"
#include "system/WindowsApi.h"
#include "system/posix/RegistryFile.h"

namespace {

using testsupport::HostGuard;
using testsupport::TempTree;
using namespace WindowsApi;

constexpr const char* kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";

std::string Utf16Le(const std::string& ascii) {
  std::string wide = "\xFF\xFE";
  for (char c : ascii) {
    if (c == '\n') wide += std::string("\r\0", 2);
    wide += c;
    wide += '\0';
  }
  return wide;
}

// A .reg file in a temporary folder, named by QUILLFEN_REGISTRY while the object lives.
class RegistryFile {
 public:
  explicit RegistryFile(const std::string& bytes) { Rewrite(bytes); }
  void Rewrite(const std::string& bytes) const {
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
  }

 private:
  TempTree tree_;
  std::string path_ = tree_.Path("machine.reg");
  HostGuard guard_{HostGuard::Setting::Registry, path_.c_str()};
};

struct Read {
  long result = -1;
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  std::string data;
};

Read Query(const std::string& keyName, const std::string& value, std::uint32_t bufferSize = 260) {
  Read read;
  RegistryKey* key = nullptr;
  read.result = OpenMachineKey(keyName, key);
  if (read.result != kErrorSuccess) return read;
  std::string buffer(bufferSize, '\0');
  read.size = bufferSize;
  read.result = QueryKeyValue(key, value, read.type, buffer.data(), read.size);
  CloseKey(key);
  if (read.result == kErrorSuccess) read.data = buffer.substr(0, read.size);
  return read;
}

const std::string kBody =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\n"
    "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\n"
    "\"Quoted\"=\"say \\\"hi\\\"\"\n"
    "\"Count\"=dword:0000002a\n"
    "@=\"the default\"\n"
    "\"Empty\"=\"\"\n"
    "; a comment line\n"
    "\"Gone\"=\"soon\"\n"
    "\"Gone\"=-\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Elsewhere]\n"
    "\"Other\"=\"hive\"\n"
    "[-HKEY_LOCAL_MACHINE\\Software\\Deleted]\n";

TEST(PosixRegistry, Regedit4TextValuesCountTheirNul) {
  RegistryFile file("REGEDIT4\n\n" + kBody +
                    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\n"
                    "\"Path\"=hex(2):25,53,79,73,\\\n"
                    "  74,65,6d,52,6f,6f,74,25,00\n");
  Read read = Query(kCurrentVersion, "ProgramFilesDir");
  EXPECT_EQ(read.result, kErrorSuccess);
  EXPECT_EQ(read.type, kRegSz);
  EXPECT_EQ(read.size, 17u);
  EXPECT_EQ(read.data, std::string("C:\\Program Files\0", 17));
  EXPECT_EQ(Query("software\\MICROSOFT\\windows\\currentversion\\", "programfilesdir").data,
            read.data);
  EXPECT_EQ(Query(kCurrentVersion, "Quoted").data, std::string("say \"hi\"\0", 9));
  EXPECT_EQ(Query(kCurrentVersion, "").data, std::string("the default\0", 12));
  EXPECT_EQ(Query(kCurrentVersion, "Empty").data, std::string("\0", 1));
  read = Query(kCurrentVersion, "Count");
  EXPECT_EQ(read.type, kRegDword);
  EXPECT_EQ(read.data, std::string("\x2a\0\0\0", 4));
  // Joined across the continuation line; 8-bit text in a REGEDIT4 file.
  read = Query(kCurrentVersion, "Path");
  EXPECT_EQ(read.type, kRegExpandSz);
  EXPECT_EQ(read.data, std::string("%SystemRoot%\0", 13));
}

TEST(PosixRegistry, Version5FilesAreReadAsUtf16WithTheirWideHexText) {
  RegistryFile file(Utf16Le("Windows Registry Editor Version 5.00\n\n" + kBody +
                            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\n"
                            "\"Path\"=hex(2):25,00,53,00,25,00,00,00\n"
                            "\"Umlaut\"=\"f\xFC\"\n"));
  EXPECT_EQ(Query(kCurrentVersion, "ProgramFilesDir").data, std::string("C:\\Program Files\0", 17));
  EXPECT_EQ(Query(kCurrentVersion, "Path").data, std::string("%S%\0", 4));
  EXPECT_EQ(Query(kCurrentVersion, "Umlaut").data, std::string("f\xC3\xBC\0", 4));  // as UTF-8
  EXPECT_EQ(Query(kCurrentVersion, "Count").data, std::string("\x2a\0\0\0", 4));
}

TEST(PosixRegistry, MissingKeysAndValuesAreNotFound) {
  RegistryFile file("REGEDIT4\n" + kBody);
  RegistryKey* key = reinterpret_cast<RegistryKey*>(1);
  EXPECT_EQ(OpenMachineKey("Software\\Nowhere", key), kErrorFileNotFound);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(Query("Software\\Elsewhere", "Other").result, kErrorFileNotFound);  // other hive
  EXPECT_EQ(Query("Software\\Deleted", "x").result, kErrorFileNotFound);
  EXPECT_EQ(Query(kCurrentVersion, "Gone").result, kErrorFileNotFound);
  EXPECT_EQ(Query(kCurrentVersion, "Missing").result, kErrorFileNotFound);
  // Parents of a key exist even where the file names only the key.
  EXPECT_EQ(Query("Software\\Microsoft", "x").result, kErrorFileNotFound);
  ASSERT_EQ(OpenMachineKey("Software\\Microsoft", key), kErrorSuccess);
  CloseKey(key);
  CloseKey(nullptr);
}

TEST(PosixRegistry, ATooSmallBufferReportsTheSizeNeeded) {
  RegistryFile file("REGEDIT4\n" + kBody);
  Read read = Query(kCurrentVersion, "ProgramFilesDir", 16);  // one short of the NUL
  EXPECT_EQ(read.result, kErrorMoreData);
  EXPECT_EQ(read.size, 17u);
  EXPECT_EQ(read.type, kRegSz);
  EXPECT_EQ(Query(kCurrentVersion, "ProgramFilesDir", 17).result, kErrorSuccess);

  RegistryKey* key = nullptr;
  ASSERT_EQ(OpenMachineKey(kCurrentVersion, key), kErrorSuccess);
  std::uint32_t type = 0, size = 0;
  EXPECT_EQ(QueryKeyValue(key, "Quoted", type, nullptr, size), kErrorSuccess);
  EXPECT_EQ(size, 9u);
  CloseKey(key);
}

TEST(PosixRegistry, WithoutAReadableExportNoKeyOpens) {
  RegistryKey* key = nullptr;
  {
    HostGuard unset(HostGuard::Setting::Registry, nullptr);
    EXPECT_EQ(OpenMachineKey(kCurrentVersion, key), kErrorFileNotFound);
  }
  {
    HostGuard missing(HostGuard::Setting::Registry, "/nonexistent/machine.reg");
    EXPECT_EQ(OpenMachineKey(kCurrentVersion, key), kErrorFileNotFound);
  }
  RegistryFile notAnExport("[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=\"b\"\n");
  EXPECT_EQ(OpenMachineKey("Software", key), kErrorFileNotFound);
  EXPECT_EQ(key, nullptr);
}

TEST(PosixRegistry, AChangedFileIsReadAgainWhileAnOpenKeyKeepsItsValues) {
  RegistryFile file("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n\"v\"=\"one\"\n");
  RegistryKey* old = nullptr;
  ASSERT_EQ(OpenMachineKey("Software", old), kErrorSuccess);
  file.Rewrite("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n\"v\"=\"second\"\n");
  EXPECT_EQ(Query("Software", "v").data, std::string("second\0", 7));
  char buffer[16];
  std::uint32_t type = 0, size = sizeof buffer;
  EXPECT_EQ(QueryKeyValue(old, "v", type, buffer, size), kErrorSuccess);
  EXPECT_EQ(std::string(buffer, size), std::string("one\0", 4));
  CloseKey(old);
}

TEST(PosixRegistryFile, UnreadableLinesArePassedOver) {
  auto tree = PosixHost::ParseRegistryExport(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=dword:123456789\n\"b\"=hex:zz\n"
      "\"c\"=\"unterminated\n\"d\"\n\"e\"=hex(7):61,00,62,00,00\n\"f\"=hex:01,02\n");
  ASSERT_TRUE(tree.has_value());
  const auto& values = tree->Find("k")->values;
  EXPECT_EQ(values.count("a") + values.count("b") + values.count("c") + values.count("d"), 0u);
  EXPECT_EQ(values.at("e").data, std::string("a\0b\0\0", 5));  // multi-text kept whole
  EXPECT_EQ(values.at("f").type, 3u);
  EXPECT_EQ(values.at("f").data, "\x01\x02");
}

}  // namespace

namespace {

std::string KeyOfDepth(std::size_t depth) {
  std::string key = "[HKEY_LOCAL_MACHINE";
  for (std::size_t i = 0; i < depth; ++i) key += "\\k";
  return key + "]\n";
}

// A key nests at most as deep as the registry allows; a file with a deeper one cannot come from
// a registry and opens no key at all, however long its key line (memory stays in proportion to
// the file, not to the square of the key's depth).
TEST(PosixRegistryFile, KeysDeeperThanTheRegistryAllowsMakeTheExportUnreadable) {
  const std::string currentVersion =
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\n"
      "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\n";
  RegistryFile file("REGEDIT4\n" + KeyOfDepth(PosixHost::kMaxKeyDepth) + currentVersion);
  RegistryKey* key = nullptr;
  EXPECT_EQ(OpenMachineKey(kCurrentVersion, key), kErrorSuccess);
  CloseKey(key);

  for (std::size_t depth : {PosixHost::kMaxKeyDepth + 1, std::size_t{100000}}) {
    file.Rewrite("REGEDIT4\n" + KeyOfDepth(depth) + currentVersion);
    EXPECT_EQ(OpenMachineKey(kCurrentVersion, key), kErrorFileNotFound) << depth;
    EXPECT_EQ(key, nullptr);
  }
}

}  // namespace

namespace {

// Lines of keys as deep as the registry allows, each under a new name, to at least `bytes`.
std::string DeepKeys(std::size_t bytes) {
  std::string text = "REGEDIT4\n";
  for (int line = 0; line == 0 || text.size() < bytes; ++line) {
    text += "[HKEY_LOCAL_MACHINE\\" + std::to_string(line);
    for (std::size_t level = 1; level < PosixHost::kMaxKeyDepth; ++level) text += "\\k";
    text += "]\n";
  }
  return text;
}

std::string OrdinaryKeys(std::size_t bytes) {
  std::string text = "REGEDIT4\n";
  for (int key = 0; text.size() < bytes; ++key)
    text += "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.x" + std::to_string(key) + "]\n@=\"t" +
            std::to_string(key) + "\"\n\"Content Type\"=\"text/plain\"\n";
  return text;
}

// What the parse may hold is counted against 8 times the export's text: a file whose keys would
// take more is unreadable, whatever its encoding, while an ordinary export is read.
TEST(PosixRegistryFile, AnExportWhoseKeysWouldTakeMoreThanItsAllowanceIsUnreadable) {
  EXPECT_FALSE(PosixHost::ParseRegistryExport(DeepKeys(400000)));
  EXPECT_FALSE(PosixHost::ParseRegistryExport(Utf16Le(DeepKeys(400000))));
  auto ordinary = PosixHost::ParseRegistryExport(OrdinaryKeys(400000));
  ASSERT_TRUE(ordinary);
  EXPECT_NE(ordinary->Find("software\\classes\\.x1000"), nullptr);
  // Small files have an allowance of their own: one key as deep as the registry allows.
  EXPECT_TRUE(PosixHost::ParseRegistryExport(DeepKeys(1)));
}

// The count is an upper bound of what the keys and values really take (glibc's own figures):
// all that is counted, less the text, which the caller holds.
TEST(PosixRegistryFile, TheAllowanceCountsNoLessThanTheTreeTakes) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's allocator keeps no figures of glibc's";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "the sanitizer's allocator keeps no figures of glibc's";
#endif
#endif
  for (const std::string& text : {OrdinaryKeys(300000), DeepKeys(1)}) {
    const std::size_t before = mallinfo2().uordblks;
    auto tree = PosixHost::ParseRegistryExport(text);
    ASSERT_TRUE(tree);
    const std::size_t held = mallinfo2().uordblks - before;
    EXPECT_LE(held, tree->Counted() - text.size());
    EXPECT_GT(held, (tree->Counted() - text.size()) / 2);  // counted high, not wildly
  }
}

}  // namespace
