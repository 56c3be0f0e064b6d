#pragma once
// The user's request to stop a long-running command: SIGINT or SIGTERM on
// POSIX systems, Ctrl+C, Ctrl+Break or the console closing on Windows.

#include <chrono>
#include <memory>

namespace tracker::cli {

// While one exists, the stop requests are taken by it instead of ending the
// process. One at a time.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Waits up to `wait` for a stop request; whether one came.
  bool wait(std::chrono::milliseconds wait);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace tracker::cli
