#include "serial/thread_priority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

namespace tracker {

// On Linux the nice value is per thread. The highest priority is nice -20; an
// unprivileged process may only go as low as RLIMIT_NICE allows, so the first
// value that is granted, from the top down, wins.
void RaiseThreadPriority(int stepsBelowHighest) {
  const auto tid = static_cast<id_t>(syscall(SYS_gettid));
  errno = 0;
  const int current = getpriority(PRIO_PROCESS, tid);
  if (current == -1 && errno != 0) return;
  for (int nice = -20 + stepsBelowHighest; nice < current; ++nice) {
    if (setpriority(PRIO_PROCESS, tid, nice) == 0) return;
  }
}

}  // namespace tracker
