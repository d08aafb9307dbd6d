#pragma once
// Windows wildcard matching of one name.
#include <string_view>

namespace PosixHost {

// True when `name` matches `pattern` as a Windows listing matches it: without regard to ASCII
// case; "*" any run of characters, "?" any one character; and the old DOS rules a listing
// still keeps: "*.*" matches every name (those without a dot too), "*." names without a dot,
// a "?" never takes a dot and matches nothing at a dot or the end ("a?.txt" takes "a.txt"),
// and a "*" before a dot never runs past the name's last dot.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace PosixHost
