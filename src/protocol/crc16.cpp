#include "protocol/crc16.h"

#include <array>

namespace tracker {
namespace {

// Table of the 8-bit steps: entry x is the CRC contribution of the byte x
// shifted through the register.
constexpr std::array<std::uint16_t, 256> makeTable() {
  std::array<std::uint16_t, 256> table{};
  for (unsigned x = 0; x < 256; ++x) {
    std::uint16_t c = static_cast<std::uint16_t>(x << 8);
    for (int bit = 0; bit < 8; ++bit) {
      c = (c & 0x8000) ? static_cast<std::uint16_t>((c << 1) ^ 0x1021)
                       : static_cast<std::uint16_t>(c << 1);
    }
    table[x] = c;
  }
  return table;
}

constexpr auto kTable = makeTable();

}  // namespace

std::uint16_t Crc16Update(std::uint16_t crc, std::uint8_t byte) {
  const auto index = static_cast<std::uint8_t>((crc >> 8) ^ byte);
  return static_cast<std::uint16_t>((crc << 8) ^ kTable[index]);
}

std::uint16_t Crc16(std::span<const std::uint8_t> bytes) {
  std::uint16_t crc = kCrcInitial;
  for (const std::uint8_t b : bytes) crc = Crc16Update(crc, b);
  return crc;
}

}  // namespace tracker
