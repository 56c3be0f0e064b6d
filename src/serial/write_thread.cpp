#include "serial/write_thread.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "serial/thread_priority.h"

namespace tracker {

TWriteThread::TWriteThread(int fd, const CloseEvent& closeEvent, CommNotifier notifier,
                           std::atomic<bool>& sendDataEmpty)
    : WriteLoop(std::move(notifier), sendDataEmpty), fd_(fd), closeEvent_(closeEvent) {}

TWriteThread::~TWriteThread() {
  stop();
  join();
}

void TWriteThread::raisePriority() {
  RaiseThreadPriority(1);
}

void TWriteThread::discardOutput() {
  tcflush(fd_, TCOFLUSH);
}

bool TWriteThread::waitForWork() {
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [this] { return hasWork(); });
  return true;
}

// Writes every byte, continuing after partial writes; false when the thread
// must end (closing, or a failure already reported as a hang-up).
bool TWriteThread::writeAll(const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (written > 0) {
      done += static_cast<std::size_t>(written);
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno == EAGAIN) {
      if (!waitWritable()) return false;
      continue;
    }
    notifier_.hangup();
    return false;
  }
  return true;
}

// Waits until the port takes more bytes; false on closing or failure.
bool TWriteThread::waitWritable() {
  pollfd entries[2] = {{closeEvent_.fd(), POLLIN, 0}, {fd_, POLLOUT, 0}};
  for (;;) {
    const int ready = poll(entries, 2, -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready > 0 && entries[0].revents != 0) return false;
    if (ready > 0 && (entries[1].revents & POLLOUT)) return true;
    notifier_.hangup();
    return false;
  }
}

}  // namespace tracker
