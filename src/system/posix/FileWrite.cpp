// Writing a whole file at once, beside its final name and renamed into place.
#include <sys/stat.h>

#include "system/WindowsApi.h"
#include "system/posix/Destination.h"
#include "system/posix/PendingFile.h"

namespace WindowsApi {

bool WriteWholeFile(const std::string& path, const unsigned char* data, std::size_t size) {
  if (!data && size > 0) return false;
  auto to = PosixHost::WritableDestination(path);
  if (!to) return false;
  PosixHost::PendingFile out;
  if (!out.Create(to->folder, to->name, 0666)) return false;
  // A replaced file keeps its permissions, as Windows keeps its attributes.
  if (to->existing) fchmod(out.Descriptor(), to->existing->st_mode & 07777);
  return PosixHost::WriteAll(out.Descriptor(), data, size) && out.Commit();
}

}  // namespace WindowsApi
