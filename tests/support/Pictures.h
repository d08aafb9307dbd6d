#pragma once
// Two pictures of one window, compared as a person would see them.
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Pixels as 0xRRGGBB, top row first.
using Pixels = std::vector<std::uint32_t>;

// The rows of `shown` whose pixels differ from `expected`, as "first-last"; empty text when
// every pixel is the same. Pictures of different sizes differ in every row.
std::string RowsThatDiffer(const Pixels& shown, const Pixels& expected, int width);

}  // namespace testsupport
