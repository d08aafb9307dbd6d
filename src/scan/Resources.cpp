#include "scan/Resources.h"

// Generated from resources/README.TXT at build time.
extern const unsigned char quillfen_readme_bytes[];
extern const std::size_t quillfen_readme_bytes_size;

namespace Resources {

std::span<const unsigned char> Bytes(int resourceId) {
  if (resourceId == kReadmeText) return {quillfen_readme_bytes, quillfen_readme_bytes_size};
  return {};
}

}  // namespace Resources
