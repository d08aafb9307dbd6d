#pragma once
// The exit statuses of quillfen-scan.
namespace Cli {

inline constexpr int kSaved = 0;        // something was saved and nothing failed (or --help)
inline constexpr int kNothing = 1;      // nothing qualified, an abort, no Windows folder
inline constexpr int kUsageError = 2;   // a bad option, or a set-up the scan cannot start from
inline constexpr int kNotAllSaved = 3;  // some files could not be saved

}  // namespace Cli
