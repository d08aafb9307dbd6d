#include "system/posix/MachineArea.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <poll.h>
#include <pthread.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "system/MountText.h"
#include "system/posix/MountFields.h"
#include "system/NativePath.h"

namespace PosixHost {
namespace {

// File systems that describe the running machine rather than hold anyone's files. devtmpfs
// has tmpfs's number, so /dev itself is caught by its mount below.
bool IsMachineKind(long magic) {
  switch (static_cast<unsigned long>(magic)) {
    case PROC_SUPER_MAGIC: case SYSFS_MAGIC: case DEVPTS_SUPER_MAGIC: case DEBUGFS_MAGIC:
    case SECURITYFS_MAGIC: case CGROUP_SUPER_MAGIC: case CGROUP2_SUPER_MAGIC: case TRACEFS_MAGIC:
    case BPF_FS_MAGIC: case PSTOREFS_MAGIC: case EFIVARFS_MAGIC:
    case 0x19800202:  // mqueue
    case BINFMTFS_MAGIC: case NSFS_MAGIC: case SELINUX_MAGIC: case SMACK_MAGIC:
    case 0x62656570:  // configfs
    case 0x65735543:  // fusectl
      return true;
    default:
      return false;
  }
}

bool InMachineArea(std::string_view path) {
  for (std::string_view area : {"/proc", "/sys", "/dev"})
    if (IsInside(path, area)) return true;
  return false;
}

// What is known of the machine's mounts: the devices mounted at or under /proc, /sys and /dev,
// and the kind of each device met so far. Both are read afresh when the mount table changes
// (the kernel flags that on the open table with POLLPRI), looked at no more often than every
// few milliseconds; a device number freed by an unmount may come back for another file system.
class Mounts {
 public:
  static Mounts& Get() {
    static Mounts mounts;
    return mounts;
  }

  bool IsMachine(int fd, dev_t device) {
    Refresh();
    if (machineDevices_.count(device)) return true;
    auto known = kinds_.find(device);
    if (known == kinds_.end()) {
      struct statfs info;
      // A file system that cannot say what it is is not trusted.
      const bool machine = fstatfs(fd, &info) != 0 || IsMachineKind(info.f_type);
      known = kinds_.emplace(device, machine).first;
    }
    return known->second;
  }

 private:
  Mounts() {
    // A child after fork may unshare its mounts; it reads its own table.
    pthread_atfork(nullptr, nullptr, [] { Get().ForgetInChild(); });
  }

  void ForgetInChild() {
    if (table_ >= 0) close(table_);
    table_ = -1;
    read_ = false;
  }

  void Refresh() {
    using Clock = std::chrono::steady_clock;
    const auto now = Clock::now();
    if (read_ && now - lastLook_ < std::chrono::milliseconds(20)) return;
    lastLook_ = now;
    if (table_ < 0) table_ = open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (read_ && table_ >= 0) {
      pollfd watch{table_, POLLPRI, 0};
      if (!(poll(&watch, 1, 0) > 0 && (watch.revents & (POLLPRI | POLLERR)))) return;
    }
    read_ = true;
    kinds_.clear();
    machineDevices_.clear();
    std::string text;
    if (table_ < 0 || !ReadMountTable(table_, text)) return;  // no table: the kinds alone decide
    // "ID PARENT MAJOR:MINOR ROOT MOUNT-POINT ..."
    MountText::ForEachLine(text, [this](std::string_view line) {
      const auto fields = MountText::Fields(line);
      if (fields.size() < 5) return;
      unsigned major = 0, minor = 0;
      if (std::sscanf(std::string(fields[2]).c_str(), "%u:%u", &major, &minor) != 2) return;
      if (InMachineArea(MountText::Decoded(fields[4])))
        machineDevices_.insert(makedev(major, minor));
    });
  }

  int table_ = -1;
  bool read_ = false;
  std::chrono::steady_clock::time_point lastLook_;
  std::set<dev_t> machineDevices_;
  std::map<dev_t, bool> kinds_;
};

}  // namespace

bool IsMachineEntry(int fd, const struct stat& info) {
  return Mounts::Get().IsMachine(fd, info.st_dev);
}

bool IsMachineArea(std::string_view realPath) { return InMachineArea(realPath); }

}  // namespace PosixHost
