// A pattern and a name through the wildcard matcher. The input is the pattern, a newline, then
// the name (the rest of the input, newlines and all); without a newline the name is empty.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "system/posix/AsciiText.h"
#include "system/posix/PathText.h"
#include "system/posix/Wildcard.h"

namespace {

// A pattern without wildcards takes the names equal to it without regard to ASCII case; a
// final "." also stands for the end of a name without one, as in a Windows listing.
bool LiteralMatches(std::string_view pattern, std::string_view name) {
  if (PosixHost::SameIgnoringCase(pattern, name)) return true;
  return !pattern.empty() && pattern.back() == '.' &&
         PosixHost::SameIgnoringCase(pattern.substr(0, pattern.size() - 1), name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = input.find('\n');
  const std::string_view pattern = input.substr(0, cut);
  const std::string_view name =
      cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);
  using PosixHost::MatchesWildcard;
  const bool matches = MatchesWildcard(pattern, name);

  FUZZ_CHECK(MatchesWildcard(SwapAsciiCase(pattern), name) == matches &&
                 MatchesWildcard(pattern, SwapAsciiCase(name)) == matches,
             "ASCII case never changes a match");
  FUZZ_CHECK(MatchesWildcard("*", name) && MatchesWildcard("*.*", name) &&
                 MatchesWildcard("**", name),
             "\"*\", \"*.*\" and \"**\" take every name");
  FUZZ_CHECK(MatchesWildcard(name, name), "a name read as a pattern takes itself");
  if (!PosixHost::HasWildcards(pattern))
    FUZZ_CHECK(matches == LiteralMatches(pattern, name),
               "a pattern without wildcards takes exactly the names equal to it");
  return 0;
}
