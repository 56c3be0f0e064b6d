#pragma once
// CRC-16/CCITT-FALSE: polynomial 0x1021, initial 0xFFFF, no reflection, no final XOR.

#include <cstdint>
#include <span>

namespace tracker {

inline constexpr std::uint16_t kCrcInitial = 0xFFFF;

// One CRC step over one byte.
std::uint16_t Crc16Update(std::uint16_t crc, std::uint8_t byte);

// CRC over a run of bytes, starting from kCrcInitial.
std::uint16_t Crc16(std::span<const std::uint8_t> bytes);

}  // namespace tracker
