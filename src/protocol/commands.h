#pragma once
// Command bytes of the tracker protocol.

#include <cstdint>

namespace tracker {

inline constexpr std::uint8_t CmdAuthorise = 0x50;
inline constexpr std::uint8_t CmdWriteBlock = 0x58;
inline constexpr std::uint8_t CmdReadBlock = 0x59;
inline constexpr std::uint8_t CmdRfidAdd = 0xB0;
inline constexpr std::uint8_t CmdRfidDelete = 0xB1;
inline constexpr std::uint8_t CmdRfidCheck = 0xB2;
inline constexpr std::uint8_t CmdTempPair = 0xB5;
inline constexpr std::uint8_t CmdWriteWifi = 0xB6;
inline constexpr std::uint8_t CmdReadWifi = 0xB7;
inline constexpr std::uint8_t CmdClearSms = 0xC0;
inline constexpr std::uint8_t CmdClearGprs1 = 0xC1;
inline constexpr std::uint8_t CmdClearGprs2 = 0xC2;
inline constexpr std::uint8_t CmdClearGpsLog = 0xC3;
inline constexpr std::uint8_t CmdSetMileage = 0xC4;
inline constexpr std::uint8_t CmdDefault = 0xE5;
inline constexpr std::uint8_t CmdClearAuthCode = 0xE6;

}  // namespace tracker
