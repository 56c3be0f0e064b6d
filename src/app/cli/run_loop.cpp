#include "app/cli/run_loop.h"

#include <algorithm>

namespace tracker::cli {
namespace {

constexpr std::chrono::milliseconds kTimer1Interval{10};
constexpr std::chrono::milliseconds kTimer2Interval{1000};

// A timer that fell this far behind (a stopped process) restarts from now
// instead of firing the missed ticks in a burst.
constexpr std::chrono::milliseconds kMaxLag{200};

void advance(RunLoop::Clock::time_point& next, RunLoop::Clock::time_point now,
             std::chrono::milliseconds interval) {
  next += interval;
  if (now - next > kMaxLag) next = now + interval;
}

}  // namespace

RunLoop::RunLoop(Engine& engine, OwnerQueue& queue)
    : engine_(engine),
      queue_(queue),
      nextTimer1_(Clock::now() + kTimer1Interval),
      nextTimer2_(Clock::now() + kTimer2Interval) {}

void RunLoop::runDueTimers(Clock::time_point now) {
  if (now >= nextTimer1_) {
    engine_.guarded([this] { engine_.Timer1Timer(); });
    advance(nextTimer1_, now, kTimer1Interval);
  }
  if (now >= nextTimer2_) {
    engine_.guarded([this] { engine_.Timer2Timer(); });
    advance(nextTimer2_, now, kTimer2Interval);
  }
}

bool RunLoop::runUntil(const std::function<bool()>& done, Clock::time_point deadline) {
  while (!done()) {
    const Clock::time_point now = Clock::now();
    if (now >= deadline) return false;
    runDueTimers(now);
    if (done()) return true;
    const auto untilTimer = std::min({nextTimer1_, nextTimer2_, deadline}) - Clock::now();
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(untilTimer);
    // Wakes at once for a posted delivery.
    queue_.waitAndRun(std::max(wait, std::chrono::milliseconds{0}));
  }
  return true;
}

}  // namespace tracker::cli
