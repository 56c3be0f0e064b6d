#pragma once
// What the writer thread does on every system: writes the queued requests to
// the port, one after the other, posts one "queue empty" notice per idle
// period, and refuses requests once it has ended. The system's writer (the
// Writer of the template) supplies the waits and the writes:
//   bool closing()            the close event is raised
//   void wake()               a request was queued, or stop() was called
//   bool waitForWork()        waits for either (the loop then sees which);
//                             false when the thread must end at once
//   bool writeAll(bytes)      false when the thread must end
//   void raisePriority()      on the thread, at its start
//   void discardOutput()      on the thread, at its end

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "serial/comm_notifier.h"

namespace tracker {

template <class Writer>
class WriteLoop {
 public:
  WriteLoop(const WriteLoop&) = delete;
  WriteLoop& operator=(const WriteLoop&) = delete;

  // Starts the thread; throws std::system_error when it cannot be created.
  void start() {
    thread_ = std::thread([this] { run(); });
  }
  // Queues a copy of the bytes and clears the send-data-empty flag; false when
  // the thread no longer takes requests.
  bool queue(std::vector<std::uint8_t> bytes) {
    {
      std::lock_guard lock(mutex_);
      if (refusing_) return false;
      requests_.push_back(std::move(bytes));
      // Under the lock, so the writer cannot see an empty queue after this.
      sendDataEmpty_ = false;
    }
    writer().wake();
    return true;
  }
  // Ends the thread at its next look at the queue, dropping what is queued; a
  // write in progress ends on the close event.
  void stop() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    writer().wake();
  }
  void join() {
    if (thread_.joinable()) thread_.join();
  }

 protected:
  WriteLoop(CommNotifier notifier, std::atomic<bool>& sendDataEmpty)
      : notifier_(std::move(notifier)), sendDataEmpty_(sendDataEmpty) {}
  // The writer stops and joins in its own destructor, while its parts exist.
  ~WriteLoop() = default;

  // A request or a stop is there to take (under mutex_).
  bool hasWork() const { return stopping_ || !requests_.empty(); }

  CommNotifier notifier_;
  std::mutex mutex_;

 private:
  enum class Next { Request, Empty, Stop };

  Writer& writer() { return static_cast<Writer&>(*this); }

  void run() {
    writer().raisePriority();
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
        if (!writer().waitForWork()) break;
        continue;
      }
      if (!writer().writeAll(request)) break;
      emptyPosted = false;
    }
    refuseRequests();
    writer().discardOutput();
    sendDataEmpty_ = true;
  }

  Next take(std::vector<std::uint8_t>& request) {
    std::lock_guard lock(mutex_);
    if (stopping_) return Next::Stop;
    if (requests_.empty()) {
      sendDataEmpty_ = true;
      return Next::Empty;
    }
    if (writer().closing()) return Next::Stop;
    request = std::move(requests_.front());
    requests_.pop_front();
    return Next::Request;
  }

  void refuseRequests() {
    std::lock_guard lock(mutex_);
    refusing_ = true;
    requests_.clear();
  }

  std::atomic<bool>& sendDataEmpty_;
  std::deque<std::vector<std::uint8_t>> requests_;
  bool stopping_ = false;
  bool refusing_ = false;
  std::thread thread_;
};

}  // namespace tracker
