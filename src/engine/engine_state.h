#pragma once
// The engine's state: which operation is in progress, its step, and the timers'
// counters. Everything starts at 0 / false.

#include <cstdint>

namespace tracker {

inline constexpr std::uint8_t OpIdle = 0;
inline constexpr std::uint8_t OpWrite = 1;
inline constexpr std::uint8_t OpRead = 2;
inline constexpr std::uint8_t OpDefault = 3;
inline constexpr std::uint8_t OpClearSms = 4;
inline constexpr std::uint8_t OpClearGprs1 = 5;
inline constexpr std::uint8_t OpClearGprs2 = 6;
inline constexpr std::uint8_t OpClearGpsLog = 7;
inline constexpr std::uint8_t OpSetMileage = 8;
inline constexpr std::uint8_t OpAuthId = 9;
inline constexpr std::uint8_t OpDeleteId = 10;
inline constexpr std::uint8_t OpCheckId = 11;
inline constexpr std::uint8_t OpTempPair = 12;
inline constexpr std::uint8_t OpClearAuthCode = 13;
inline constexpr std::uint8_t OpWriteWifi = 14;
inline constexpr std::uint8_t OpReadWifi = 15;

// Write steps 0..8 are block writes; 9 is the WiFi list.
inline constexpr std::uint8_t kWifiWriteStep = 9;
// Read steps 0..8 are block reads, 9 and 10 the WiFi halves, 30 the identifier.
inline constexpr std::uint8_t kWifiReadStep1 = 9;
inline constexpr std::uint8_t kWifiReadStep2 = 10;
inline constexpr std::uint8_t kDeviceIdReadStep = 30;

// Timer1 ticks (10 ms) between authorisation polls.
inline constexpr std::uint8_t kAuthPollTicks = 50;

struct EngineState {
  std::uint8_t Operation = OpIdle;
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
