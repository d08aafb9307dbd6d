#include "support/Pictures.h"

#include <algorithm>

namespace testsupport {

std::string RowsThatDiffer(const Pixels& shown, const Pixels& expected, int width) {
  if (width <= 0) return "no picture";
  if (shown.size() != expected.size())
    return "0-" + std::to_string(std::max(shown.size(), expected.size()) / width);
  int first = -1, last = -1;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] == expected[i]) continue;
    const int row = static_cast<int>(i) / width;
    if (first < 0) first = row;
    last = row;
  }
  return first < 0 ? std::string() : std::to_string(first) + "-" + std::to_string(last);
}

}  // namespace testsupport
