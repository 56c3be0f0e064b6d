#include "serial/read_thread.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <limits>

#include "serial/line_watch.h"
#include "serial/thread_priority.h"

namespace tracker {
namespace {

// How often the line counters are looked at while nothing arrives, on drivers
// that keep them.
constexpr int kLineWatchPeriodMs = 200;

}  // namespace

TReadThread::TReadThread(int fd, const CloseEvent& closeEvent, CommNotifier notifier,
                         const ReadSettings& settings, TCompletenessTest complete)
    : ReaderCore(std::move(notifier), settings, std::move(complete)),
      fd_(fd),
      closeEvent_(closeEvent) {}

TReadThread::~TReadThread() {
  join();
}

void TReadThread::run() {
  RaiseThreadPriority(0);
  LineWatch watch(fd_);
  for (;;) {
    const Wait wait = waitReadable(watch.supported() ? kLineWatchPeriodMs : -1);
    if (wait == Wait::Closed) break;
    if (!watch.report(notifier_)) break;
    if (wait == Wait::Timeout) continue;
    if (wait == Wait::Failed) {
      notifier_.hangup();
      break;
    }
    if (!readChunk()) break;
  }
  tcflush(fd_, TCIFLUSH);
}

TReadThread::Wait TReadThread::waitReadable(int timeoutMs) const {
  pollfd entries[2] = {{closeEvent_.fd(), POLLIN, 0}, {fd_, POLLIN, 0}};
  for (;;) {
    const int ready = poll(entries, 2, timeoutMs);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return Wait::Failed;
    if (ready == 0) return Wait::Timeout;
    if (entries[0].revents != 0) return Wait::Closed;
    // A hang-up with bytes still to read is read first; the read reports the end.
    if (entries[1].revents & POLLIN) return Wait::Readable;
    return Wait::Failed;
  }
}

// Reads one chunk: from its first byte until the interval passes without a
// byte, the total time-out (counted from the first byte) runs out, the chunk
// is full, or the completeness test passes. False when the thread must end.
bool TReadThread::readChunk() {
  using Clock = std::chrono::steady_clock;
  if (!complete_ || gathered_.size() > kMaxGathered - kReadChunkSize) gathered_.clear();
  const std::size_t start = gathered_.size();
  const std::size_t full = start + kReadChunkSize;
  gathered_.resize(full);
  std::size_t end = start;
  const auto started = Clock::now();
  for (;;) {
    const ssize_t got = ::read(fd_, gathered_.data() + end, full - end);
    if (got > 0) {
      end += static_cast<std::size_t>(got);
      const bool answerEnded = answerEnds(end);
      if (end == full || answerEnded) return deliver(start, end, !answerEnded);
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && errno == EAGAIN) {
      if (end == start) {  // woken without a byte: back to waiting
        gathered_.resize(start);
        return true;
      }
      const auto elapsed =
          std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
      const int timeout = ChunkTimeoutMs(settings_, elapsed);
      const Wait wait = timeout == 0 ? Wait::Timeout : waitReadable(timeout);
      if (wait == Wait::Readable) continue;
      if (wait == Wait::Closed) return false;
      if (!deliver(start, end, false)) return false;
      if (wait == Wait::Timeout) return true;
    } else if (end > start && !deliver(start, end, false)) {
      return false;
    }
    // The line hung up or the read failed.
    notifier_.hangup();
    return false;
  }
}

// Posts gathered_[start, end). Only a full chunk that did not end an answer
// stays gathered, for the test of the next one.
bool TReadThread::deliver(std::size_t start, std::size_t end, bool keepGathered) {
  const auto first = gathered_.begin() + static_cast<std::ptrdiff_t>(start);
  std::vector<std::uint8_t> chunk(first, gathered_.begin() + static_cast<std::ptrdiff_t>(end));
  if (keepGathered)
    gathered_.resize(end);
  else
    gathered_.clear();
  return post(std::move(chunk));
}

}  // namespace tracker
