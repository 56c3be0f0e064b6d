#include "serial/line_watch.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

#include "serial/comm_types.h"

namespace tracker {

LineWatch::LineWatch(int fd) : fd_(fd) {
  supported_ = read(last_);
}

bool LineWatch::read(Counters& counters) const {
#ifdef TIOCGICOUNT
  serial_icounter_struct raw{};
  if (ioctl(fd_, TIOCGICOUNT, &raw) != 0) return false;
  counters = {raw.dcd, raw.rng, raw.frame, raw.overrun, raw.parity, raw.brk, raw.buf_overrun};
  return true;
#else
  (void)counters;
  return false;
#endif
}

bool LineWatch::report(CommNotifier& notifier) {
  if (!supported_) return true;
  Counters now;
  if (!read(now)) return true;
  std::uint32_t errors = 0;
  if (now.bufOverrun != last_.bufOverrun) errors |= kLineErrorRxOver;
  if (now.overrun != last_.overrun) errors |= kLineErrorOverrun;
  if (now.parity != last_.parity) errors |= kLineErrorParity;
  if (now.frame != last_.frame) errors |= kLineErrorFrame;
  if (now.brk != last_.brk) errors |= kLineErrorBreak;
  std::uint32_t modem = 0;
  if (now.dcd != last_.dcd) modem |= kModemCarrierDetect;
  if (now.rng != last_.rng) modem |= kModemRing;
  last_ = now;
  if ((errors != 0 && !notifier.lineError(errors)) || (modem != 0 && !notifier.modem(modem))) {
    notifier.hangup();
    return false;
  }
  return true;
}

}  // namespace tracker
