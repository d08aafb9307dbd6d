#pragma once
// An open descriptor shared by whoever holds a copy, closed when the last copy goes. The host
// decides on what it holds open, never on a path it would open again.
#include <unistd.h>

#include <memory>

namespace PosixHost {

class Handle {
 public:
  Handle() = default;
  // Takes `fd` over; a negative one gives an empty handle.
  static Handle Adopt(int fd) {
    Handle handle;
    if (fd >= 0) handle.box_ = std::make_shared<const Box>(fd);
    return handle;
  }
  int get() const { return box_ ? box_->fd : -1; }
  explicit operator bool() const { return box_ != nullptr; }

 private:
  struct Box {
    explicit Box(int f) : fd(f) {}
    ~Box() { close(fd); }
    Box(const Box&) = delete;
    Box& operator=(const Box&) = delete;
    int fd;
  };
  std::shared_ptr<const Box> box_;
};

}  // namespace PosixHost
