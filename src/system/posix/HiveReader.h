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

// The reader: libexec/quillfen/quillfen-read-hive below the nearest folder above the running
// program that holds one (the installation's prefix, or the build tree's top), and only one
// that nobody but root or the running user may change. Empty text when there is none.
const std::string& ReaderProgram();
// The same for a program at `program` (a real path).
std::string ReaderFor(const std::string& program);

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
