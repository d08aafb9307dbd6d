// One save at a time per save folder: an exclusive lock on the open folder (its inode, not
// its name), held for the whole save.
#include <sys/file.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "system/WindowsApi.h"
#include "system/posix/PathResolve.h"

namespace {

constexpr auto kWait = std::chrono::seconds(5);

class LockedFolder final : public WindowsApi::FolderHold {
 public:
  explicit LockedFolder(PosixHost::Handle folder) : folder_(std::move(folder)) {}
  ~LockedFolder() override { flock(folder_.get(), LOCK_UN); }

 private:
  PosixHost::Handle folder_;
};

}  // namespace

namespace WindowsApi {

std::unique_ptr<FolderHold> HoldSaveFolder(const std::string& folder) {
  const auto located = PosixHost::Locate(folder);
  PosixHost::Handle opened;
  if (located && located->exists && S_ISDIR(located->info.st_mode))
    opened = PosixHost::OpenForReading(located->chain);
  // A folder that cannot be opened fails the save's own steps, which say so.
  if (!opened) return std::make_unique<FolderHold>();
  const auto until = std::chrono::steady_clock::now() + kWait;
  for (;;) {
    if (flock(opened.get(), LOCK_EX | LOCK_NB) == 0)
      return std::make_unique<LockedFolder>(std::move(opened));
    if (errno == EINTR) continue;
    // A file system that keeps no locks (some network ones): the save goes on as before.
    if (errno != EWOULDBLOCK) return std::make_unique<FolderHold>();
    if (std::chrono::steady_clock::now() >= until) return nullptr;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace WindowsApi
