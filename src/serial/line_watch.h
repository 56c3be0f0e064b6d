#pragma once
// Line errors and carrier-detect / ring changes, from the driver's interrupt
// counters. Drivers without counters (pseudo-terminals, many USB adapters)
// simply report nothing.

#include <cstdint>

#include "serial/comm_notifier.h"

namespace tracker {

class LineWatch {
 public:
  explicit LineWatch(int fd);
  bool supported() const { return supported_; }
  // Posts what changed since the last look; false when a post failed (a
  // hang-up has been posted then).
  bool report(CommNotifier& notifier);

 private:
  struct Counters {
    std::int64_t dcd = 0, rng = 0, frame = 0, overrun = 0, parity = 0, brk = 0, bufOverrun = 0;
  };
  bool read(Counters& counters) const;

  int fd_;
  bool supported_ = false;
  Counters last_;
};

}  // namespace tracker
