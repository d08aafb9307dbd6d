#pragma once
// Small text helpers shared by the tools and the engine.
#include <string>

namespace TextTools {

std::string ToLowerAscii(std::string text);
// Without leading and trailing blanks (spaces only).
std::string TrimSpaces(const std::string& text);
bool EndsWith(const std::string& text, const std::string& tail);
// The folder with a final "\" (added when its last character is not one).
std::string WithFinalSeparator(const std::string& folder);
// The folder without a final "\", except a drive root, which keeps it ("C:\").
std::string WithoutFinalSeparator(const std::string& folder);
// "C:\" (or "C:"): the one folder that lists no "." and "..".
bool IsDriveRoot(const std::string& folder);
// folder & "\" & name, without doubling the separator after a folder that already ends in
// one (a drive root such as "D:\").
std::string InFolder(const std::string& folder, const std::string& name);

}  // namespace TextTools
