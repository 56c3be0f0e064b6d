#include "protocol/frame_complete.h"

#include "protocol/crc16.h"

namespace tracker {
namespace {

constexpr std::uint8_t kHeader0 = 0x5A;
constexpr std::uint8_t kHeader1 = 0xA5;
// Header, two length bytes, then the length's bytes, then the CRC.
constexpr std::size_t kLengthEnd = 4;
constexpr std::size_t kCrcSize = 2;

bool headerAt(std::span<const std::uint8_t> bytes, std::size_t p) {
  return p + 1 < bytes.size() && bytes[p] == kHeader0 && bytes[p + 1] == kHeader1;
}

}  // namespace

bool FramesComplete(std::span<const std::uint8_t> bytes) {
  std::size_t p = 0;
  while (p + 1 < bytes.size() && !headerAt(bytes, p)) ++p;
  if (!headerAt(bytes, p)) return false;
  while (p < bytes.size()) {
    if (!headerAt(bytes, p) || p + kLengthEnd > bytes.size()) return false;
    const std::size_t crcAt = p + kLengthEnd + bytes[p + 2] * 256u + bytes[p + 3];
    // The length is checked before the CRC, so a frame still arriving costs no CRC.
    if (crcAt + kCrcSize > bytes.size()) return false;
    const std::uint16_t crc = Crc16(bytes.subspan(p, crcAt - p));
    if (bytes[crcAt] != (crc >> 8) || bytes[crcAt + 1] != (crc & 0xFF)) return false;
    p = crcAt + kCrcSize;
  }
  return true;
}

}  // namespace tracker
