#include "protocol/crc16.h"

#include <array>

namespace tracker {
namespace {

// kTables[0][x] is the CRC contribution of the byte x shifted through the
// register; kTables[k][x] that of x followed by k zero bytes. Four bytes are
// then four independent lookups: the register holds two of them, the other
// two enter as they are.
using Table = std::array<std::uint16_t, 256>;

constexpr std::array<Table, 4> makeTables() {
  std::array<Table, 4> tables{};
  for (unsigned x = 0; x < 256; ++x) {
    std::uint16_t c = static_cast<std::uint16_t>(x << 8);
    for (int bit = 0; bit < 8; ++bit) {
      c = (c & 0x8000) ? static_cast<std::uint16_t>((c << 1) ^ 0x1021)
                       : static_cast<std::uint16_t>(c << 1);
    }
    tables[0][x] = c;
  }
  for (std::size_t k = 1; k < tables.size(); ++k) {
    for (unsigned x = 0; x < 256; ++x) {
      const std::uint16_t prev = tables[k - 1][x];
      tables[k][x] = static_cast<std::uint16_t>((prev << 8) ^ tables[0][prev >> 8]);
    }
  }
  return tables;
}

constexpr auto kTables = makeTables();

}  // namespace

std::uint16_t Crc16Update(std::uint16_t crc, std::uint8_t byte) {
  const auto index = static_cast<std::uint8_t>((crc >> 8) ^ byte);
  return static_cast<std::uint16_t>((crc << 8) ^ kTables[0][index]);
}

std::uint16_t Crc16(std::span<const std::uint8_t> bytes) {
  std::uint16_t crc = kCrcInitial;
  const std::uint8_t* p = bytes.data();
  std::size_t left = bytes.size();
  for (; left >= 4; left -= 4, p += 4) {
    crc =
        static_cast<std::uint16_t>(kTables[3][(crc >> 8) ^ p[0]] ^ kTables[2][(crc & 0xFF) ^ p[1]] ^
                                   kTables[1][p[2]] ^ kTables[0][p[3]]);
  }
  for (; left > 0; --left, ++p) crc = Crc16Update(crc, *p);
  return crc;
}

}  // namespace tracker
