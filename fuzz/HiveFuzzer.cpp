// Any bytes as a registry file (the first byte picks the kind: even an NT hive, odd a 9x
// SYSTEM.DAT), through the host's registry reader in its child process, as the host asks for
// ProgramFilesDir. libhivex and libcreg are not made for hostile input, and a fault inside
// them that the child contains is theirs; what is checked here is the program's side: it
// gets an answer or none, in time, and an answer keeps its promises.
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "hive/HiveLookup.h"
#include "system/WindowsApi.h"
#include "system/posix/HiveReader.h"
#include "system/posix/RegistryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool nt = (data[0] & 1) == 0;
  const int file = memfd_create("registry", MFD_CLOEXEC);
  FUZZ_CHECK(file >= 0, "a file to hold the input");
  for (std::size_t done = 1; done < size;) {
    const ssize_t written = write(file, data + done, size - done);
    FUZZ_CHECK(written > 0, "the input is written whole");
    done += static_cast<std::size_t>(written);
  }

  const auto start = std::chrono::steady_clock::now();
  const auto lookup = PosixHost::AskReader(
      PosixHost::ReaderProgram(), file, nt ? HiveLookup::Kind::Nt : HiveLookup::Kind::Win9x,
      nt ? "Microsoft\\Windows\\CurrentVersion" : "Software\\Microsoft\\Windows\\CurrentVersion",
      std::string("ProgramFilesDir"));
  close(file);
  FUZZ_CHECK(std::chrono::steady_clock::now() - start <
                 PosixHost::kReaderTimeLimit + std::chrono::seconds(1),
             "the reader is waited for no longer than its time");
  if (!lookup) return 0;
  if (!lookup->keyFound)
    FUZZ_CHECK(lookup->value == HiveLookup::ValueState::Missing, "no value without its key");
  if (lookup->value == HiveLookup::ValueState::Found) {
    FUZZ_CHECK(lookup->data.size() == lookup->size && lookup->size <= HiveLookup::kLargestValue,
               "a value comes whole, and no larger than the reader hands back");
    const PosixHost::RegistryValue value = PosixHost::StoredValue(lookup->type, lookup->data, nt);
    if (value.type == WindowsApi::kRegSz)
      FUZZ_CHECK(!value.data.empty() && value.data.back() == '\0' &&
                     value.data.find('\0') == value.data.size() - 1,
                 "a text value reads as one text ending in its NUL");
  }
  return 0;
}
