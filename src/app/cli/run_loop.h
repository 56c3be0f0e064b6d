#pragma once
// The main loop of the command-line tool: Timer1 every 10 ms and Timer2 every
// second on a steady clock, and the port's posted deliveries in between.

#include <chrono>
#include <functional>

#include "engine/engine.h"
#include "serial/owner_queue.h"

namespace tracker::cli {

class RunLoop {
 public:
  using Clock = std::chrono::steady_clock;

  RunLoop(Engine& engine, OwnerQueue& queue);

  // Runs ticks and deliveries until `done` holds (checked after each event) or
  // the deadline passes; returns whether `done` held.
  bool runUntil(const std::function<bool()>& done, Clock::time_point deadline);

 private:
  void runDueTimers(Clock::time_point now);

  Engine& engine_;
  OwnerQueue& queue_;
  Clock::time_point nextTimer1_;
  Clock::time_point nextTimer2_;
};

}  // namespace tracker::cli
