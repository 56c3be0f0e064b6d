#include "serial/write_thread.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "serial/thread_priority.h"

namespace tracker {

TWriteThread::TWriteThread(int fd, const CloseEvent& closeEvent, CommNotifier notifier,
                           std::atomic<bool>& sendDataEmpty)
    : fd_(fd),
      closeEvent_(closeEvent),
      notifier_(std::move(notifier)),
      sendDataEmpty_(sendDataEmpty) {}

TWriteThread::~TWriteThread() {
  stop();
  join();
}

void TWriteThread::start() {
  thread_ = std::thread([this] { run(); });
}

bool TWriteThread::queue(std::vector<std::uint8_t> bytes) {
  {
    std::lock_guard lock(mutex_);
    if (refusing_) return false;
    requests_.push_back(std::move(bytes));
    // Under the lock, so the writer cannot see an empty queue after this.
    sendDataEmpty_ = false;
  }
  wake_.notify_one();
  return true;
}

void TWriteThread::stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
}

void TWriteThread::join() {
  if (thread_.joinable()) thread_.join();
}

void TWriteThread::run() {
  RaiseThreadPriority(1);
  // One "queue empty" notice per idle period: at the start and after each write.
  bool emptyPosted = false;
  std::vector<std::uint8_t> request;
  for (;;) {
    const Next next = take(request);
    if (next == Next::Stop) break;
    if (next == Next::Empty) {
      if (!emptyPosted && !notifier_.sendEmpty()) {
        notifier_.hangup();
        break;
      }
      emptyPosted = true;
      if (!waitForWork()) break;
      continue;
    }
    if (!writeAll(request)) break;
    emptyPosted = false;
  }
  refuseRequests();
  tcflush(fd_, TCOFLUSH);
  sendDataEmpty_ = true;
}

TWriteThread::Next TWriteThread::take(std::vector<std::uint8_t>& request) {
  std::lock_guard lock(mutex_);
  if (stopping_) return Next::Stop;
  if (requests_.empty()) {
    sendDataEmpty_ = true;
    return Next::Empty;
  }
  if (closeEvent_.isRaised()) return Next::Stop;
  request = std::move(requests_.front());
  requests_.pop_front();
  return Next::Request;
}

bool TWriteThread::waitForWork() {
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [this] { return stopping_ || !requests_.empty(); });
  return !stopping_;
}

void TWriteThread::refuseRequests() {
  std::lock_guard lock(mutex_);
  refusing_ = true;
  requests_.clear();
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
