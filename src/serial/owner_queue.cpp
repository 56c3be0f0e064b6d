#include "serial/owner_queue.h"

#include <utility>

namespace tracker {

void OwnerQueue::post(Task task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  ready_.notify_one();
}

std::function<void(OwnerQueue::Task)> OwnerQueue::poster() {
  return [this](Task task) { post(std::move(task)); };
}

std::size_t OwnerQueue::runPending() {
  std::size_t ran = 0;
  for (;;) {
    Task task;
    {
      std::lock_guard lock(mutex_);
      if (tasks_.empty()) return ran;
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    // Run outside the lock: a task may post again.
    task();
    ++ran;
  }
}

std::size_t OwnerQueue::waitAndRun(std::chrono::milliseconds timeout) {
  {
    std::unique_lock lock(mutex_);
    ready_.wait_for(lock, timeout, [this] { return !tasks_.empty(); });
  }
  return runPending();
}

}  // namespace tracker
