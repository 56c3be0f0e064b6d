#include "serial/close_event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace tracker {

CloseEvent::~CloseEvent() {
  release();
}

bool CloseEvent::create() {
  release();
  fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  return fd_ >= 0;
}

void CloseEvent::raise() {
  if (fd_ < 0) return;
  const std::uint64_t one = 1;
  // The counter only grows; a full counter is raised already.
  [[maybe_unused]] const auto written = write(fd_, &one, sizeof one);
}

bool CloseEvent::isRaised() const {
  if (fd_ < 0) return true;
  pollfd entry{fd_, POLLIN, 0};
  return poll(&entry, 1, 0) > 0;
}

void CloseEvent::release() {
  if (fd_ < 0) return;
  close(fd_);
  fd_ = -1;
}

}  // namespace tracker
