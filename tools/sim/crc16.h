#pragma once

#include <cstdint>
#include <span>

namespace tracker::sim {

// CRC-16/CCITT-FALSE: polynomial 0x1021, initial value 0xFFFF, no reflection,
// no final XOR. "123456789" gives 0x29B1.
std::uint16_t crc16(std::span<const std::uint8_t> bytes);

}  // namespace tracker::sim
