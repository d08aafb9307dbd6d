#pragma once
// A registry file read by the registry reader program (hive/HiveLookup.h) in a child process.
// The libraries it uses are not made for hostile input; the child limits its memory and time,
// the parent stops waiting after a few seconds and kills it, and any failure of the child is
// a file that cannot be read. Nothing a damaged file does reaches the program.
#include <chrono>
#include <optional>
#include <string>

#include "hive/HiveLookup.h"

namespace PosixHost {

// The reader: libexec/quillfen/quillfen-read-hive beside the program's bin/ folder, as
// installed; a program run from its build tree uses the one built in that tree.
const std::string& ReaderProgram();

inline constexpr std::chrono::milliseconds kReaderTimeLimit{5000};

// Asks `program` about one key of the registry file open on descriptor `file` (a path of key
// names below the file's root), and about one of its values when `value` is given. nullopt
// when the program cannot be started, fails, dies, runs past `timeLimit` (it is then killed),
// or answers out of form.
std::optional<HiveLookup::Lookup> AskReader(const std::string& program, int file,
                                            HiveLookup::Kind kind, const std::string& keyPath,
                                            const std::optional<std::string>& value,
                                            std::chrono::milliseconds timeLimit = kReaderTimeLimit);

}  // namespace PosixHost
