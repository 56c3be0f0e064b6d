#pragma once
// The engine's state: which operation is in progress, its step, and the timers'
// counters. Everything starts idle, at 0 / false.

#include <cstdint>

namespace tracker {

// The operation in progress; the enumerators keep the system's names.
enum class Op : std::uint8_t {
  OpIdle,
  OpWrite,
  OpRead,
  OpDefault,
  OpClearSms,
  OpClearGprs1,
  OpClearGprs2,
  OpClearGpsLog,
  OpSetMileage,
  OpAuthId,
  OpDeleteId,
  OpCheckId,
  OpTempPair,
  OpClearAuthCode,
  OpWriteWifi,
  OpReadWifi,
};
using enum Op;

// Timer1 ticks (10 ms) between authorisation polls.
inline constexpr std::uint8_t kAuthPollTicks = 50;

struct EngineState {
  Op Operation = OpIdle;
  std::uint8_t WriteStep = 0;
  std::uint8_t ReadStep = 0;
  std::uint8_t ReplyTimeout = 0;
  bool WriteAllActive = false;
  bool ReadAllActive = false;
  bool Identifying = false;
  std::uint8_t AuthPollDelay = 0;
  bool PortOpened = false;
  bool SettingsLoaded = false;
};

}  // namespace tracker
