#include "ResourceIds.h"
#include "system/WindowsApi.h"

// Generated from resources/README.TXT at build time.
extern const unsigned char quillfen_readme_bytes[];
extern const std::size_t quillfen_readme_bytes_size;

namespace WindowsApi {

// Windows keeps these bytes as a resource of the exe; here they are built into the program.
std::span<const unsigned char> CustomResource(int id) {
  if (id == QUILLFEN_README_TEXT) return {quillfen_readme_bytes, quillfen_readme_bytes_size};
  return {};
}

}  // namespace WindowsApi
