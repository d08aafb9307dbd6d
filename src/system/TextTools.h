#pragma once
// Small text helpers shared by the tools and the engine.
#include <string>

namespace TextTools {

std::string ToLowerAscii(std::string text);
// Without leading and trailing blanks (spaces only).
std::string TrimSpaces(const std::string& text);
bool EndsWith(const std::string& text, const std::string& tail);
// folder & "\" & name, with exactly the characters given (no separator folding).
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace TextTools
