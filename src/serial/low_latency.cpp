#include "serial/low_latency.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

namespace tracker {
namespace {

bool SetFlag(int fd, bool on) {
  serial_struct serial{};
  if (ioctl(fd, TIOCGSERIAL, &serial) != 0) return false;
  if (((serial.flags & ASYNC_LOW_LATENCY) != 0) == on) return false;
  if (on)
    serial.flags |= ASYNC_LOW_LATENCY;
  else
    serial.flags &= ~ASYNC_LOW_LATENCY;
  return ioctl(fd, TIOCSSERIAL, &serial) == 0;
}

}  // namespace

bool SetLowLatency(int fd) {
  return SetFlag(fd, true);
}

void ClearLowLatency(int fd) {
  SetFlag(fd, false);
}

}  // namespace tracker
