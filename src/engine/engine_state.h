#pragma once
// The engine's state: what it is doing, the plan of the operation in
// progress with the step in flight, and the timers' counters. Everything
// starts idle, at 0 / false.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/operation_table.h"
#include "engine/plan.h"

namespace tracker {

enum class Activity : std::uint8_t {
  Idle,
  Identifying,  // the identifier read after the authorisation answer
  Reading,      // a read, or the read-back after a write
  Writing,
  Service,
};

// Timer1 ticks (10 ms) between authorisation polls.
inline constexpr std::uint8_t kAuthPollTicks = 50;

struct EngineState {
  Activity activity = Activity::Idle;
  const Operation* operation = nullptr;  // the row in progress
  std::vector<Step> plan;
  std::size_t step = 0;  // the step in flight
  std::uint8_t ReplyTimeout = 0;
  std::uint8_t AuthPollDelay = 0;
  bool PortOpened = false;
  bool SettingsLoaded = false;

  const Step& current() const { return plan.at(step); }
};

}  // namespace tracker
