#pragma once
// A small thread-safe queue of callables that the owning thread runs in order:
// the owner-thread posting target for the command-line tool and the tests.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

namespace tracker {

class OwnerQueue {
 public:
  using Task = std::function<void()>;

  // Any thread: appends a task.
  void post(Task task);

  // A posting function bound to this queue, for TComm's constructor. The queue
  // must outlive every thread that may still post.
  std::function<void(Task)> poster();

  // Owner thread: runs the tasks queued so far (and those they post) in order;
  // returns how many ran.
  std::size_t runPending();

  // Owner thread: waits up to `timeout` for a task, then runs the pending ones.
  // Returns how many ran.
  std::size_t waitAndRun(std::chrono::milliseconds timeout);

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Task> tasks_;
};

}  // namespace tracker
