#pragma once
// Linux paths as the command line gives them: made absolute, opened and checked before the
// scan, each problem said in words a user can act on.
#include <string>

#include "cli/Containment.h"

namespace Cli {

std::string Quoted(const std::string& path);
// The path made absolute against the current folder, "." and ".." taken away as a shell's
// "cd" takes them, without a final "/".
std::string Absolute(const std::string& path);
// The folder a path names, opened once for every later check (Containment.h), when it can be
// scanned or saved into; otherwise not valid, and `problem` says why.
Handle OpenUsableFolder(const std::string& path, std::string& problem);
// "<what> lies inside <where><after>", or "cannot tell whether ..." the same; empty text for
// a placement outside.
std::string InsideText(Placement placement, const std::string& what, const std::string& where,
                       const std::string& after);
// Why a file cannot be read (`what` names it in the text); empty text when it can.
std::string FileProblem(const std::string& path, const std::string& what);

}  // namespace Cli
