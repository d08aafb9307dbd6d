#pragma once
// Linux paths as the command line gives them: made absolute, resolved, compared, and checked
// before the scan, each problem said in words a user can act on.
#include <string>

namespace Cli {

std::string Quoted(const std::string& path);
// The path made absolute against the current folder, "." and ".." taken away as a shell's
// "cd" takes them, without a final "/".
std::string Absolute(const std::string& path);
// The path without links; empty text when it does not exist.
std::string Real(const std::string& path);
// Whether `inner` is `outer` or lies below it (both real paths; empty text is nowhere).
bool Inside(const std::string& inner, const std::string& outer);
// Why a folder cannot be scanned or saved into; empty text when it can.
std::string FolderProblem(const std::string& path);
// Why a file cannot be read (`what` names it in the text); empty text when it can.
std::string FileProblem(const std::string& path, const std::string& what);

}  // namespace Cli
