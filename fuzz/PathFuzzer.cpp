// Any text through the Windows path parser; a parsed path must keep what it promises.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "system/posix/PathText.h"

namespace {

using PosixHost::WindowsPath;

bool Same(const std::optional<WindowsPath>& a, const std::optional<WindowsPath>& b) {
  if (a.has_value() != b.has_value()) return false;
  return !a || (a->drive == b->drive && a->parts == b->parts &&
                a->trailingSeparator == b->trailingSeparator);
}

// The path in its plainest text: "D:\a\b", with the final "\" where there was one.
std::string Text(const WindowsPath& path) {
  std::string text{path.drive, ':', '\\'};
  for (std::size_t i = 0; i < path.parts.size(); ++i) {
    if (i > 0) text += '\\';
    text += path.parts[i];
  }
  if (path.trailingSeparator) text += '\\';
  return text;
}

void CheckPart(std::string_view part) {
  FUZZ_CHECK(!part.empty() && part != "." && part != "..", "a component is a name");
  for (char c : part) {
    FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20, "no control character in a component");
    FUZZ_CHECK(std::string_view("\\/:\"<>|").find(c) == std::string_view::npos,
               "no separator or reserved character in a component");
  }
  FUZZ_CHECK(PosixHost::IsWindowsName(part) != PosixHost::HasWildcards(part),
             "a component is a Windows name unless it holds a wildcard");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<WindowsPath> path = PosixHost::ParseWindowsPath(text);

  // "/" and "\" separate alike, and a drive letter has no case.
  std::string other(text);
  for (char& c : other)
    if (c == '/') c = '\\';
  other.replace(0, 1, SwapAsciiCase(other.substr(0, 1)));
  FUZZ_CHECK(Same(PosixHost::ParseWindowsPath(other), path),
             "separators and the drive letter's case change nothing");

  if (!path) return 0;
  FUZZ_CHECK(path->drive >= 'A' && path->drive <= 'Z', "the drive is an upper-case letter");
  FUZZ_CHECK(!path->trailingSeparator || !path->parts.empty(),
             "only a path below the root ends in a separator");
  for (const std::string& part : path->parts) CheckPart(part);
  const std::string plain = Text(*path);
  FUZZ_CHECK(plain.size() <= text.size() + 1, "the plain text is never longer than the input");
  FUZZ_CHECK(Same(PosixHost::ParseWindowsPath(plain), path),
             "the plain text of a parsed path parses to the same path");
  return 0;
}
