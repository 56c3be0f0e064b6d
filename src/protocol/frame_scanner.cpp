#include "protocol/frame_scanner.h"

#include <algorithm>

#include "protocol/crc16.h"

namespace tracker {
namespace {

constexpr std::uint8_t kHeader0 = 0x5A;
constexpr std::uint8_t kHeader1 = 0xA5;
constexpr std::size_t kLengthEnd = 4;     // 5A A5 and the two length bytes
constexpr std::size_t kAroundLength = 6;  // header, length field and CRC

bool crcMatches(std::span<const std::uint8_t> frame) {
  const std::size_t body = frame.size() - 2;
  const std::uint16_t crc = Crc16(frame.first(body));
  return frame[body] == (crc >> 8) && frame[body + 1] == (crc & 0xFF);
}

}  // namespace

FrameScan ScanFrames(std::span<const std::uint8_t> bytes, std::size_t capacity) {
  const std::size_t n = bytes.size();
  FrameScan scan;
  scan.keep = n;
  for (std::size_t h = 0; h < n; ++h) {
    if (bytes[h] != kHeader0) continue;
    if (h + 1 == n || (bytes[h + 1] == kHeader1 && h + kLengthEnd > n)) {
      // A header still arriving: nothing after it can be a complete frame.
      scan.keep = std::min(scan.keep, h);
      break;
    }
    if (bytes[h + 1] != kHeader1) continue;
    const std::size_t length = bytes[h + 2] * 256u + bytes[h + 3];
    // A frame holds at least its command byte and must fit the buffer.
    if (length == 0 || length + kAroundLength > capacity) continue;
    const std::size_t end = h + length + kAroundLength;
    if (end > n) {
      scan.keep = std::min(scan.keep, h);  // unfinished; a later frame may still be whole
      continue;
    }
    if (scan.found() && end >= scan.end()) continue;  // it was not whole first
    if (crcMatches(bytes.subspan(h, end - h))) {
      scan.header = h;
      scan.length = static_cast<std::uint16_t>(length);
    } else if (!scan.found() && scan.rejected == kNoFrame && scan.keep == n) {
      scan.rejected = h;
    }
  }
  return scan;
}

std::size_t AppendReceived(ProtocolContext& context, std::span<const std::uint8_t> bytes) {
  const std::size_t count = std::min(bytes.size(), kBufferSize - context.ReceiveLength);
  std::copy_n(bytes.begin(), count, context.ReceiveBuffer.begin() + context.ReceiveLength);
  context.ReceiveLength = static_cast<std::uint16_t>(context.ReceiveLength + count);
  return count;
}

void DropReceived(ProtocolContext& context, std::size_t count) {
  const std::size_t n = std::min<std::size_t>(count, context.ReceiveLength);
  const auto begin = context.ReceiveBuffer.begin();
  std::copy(begin + static_cast<std::ptrdiff_t>(n), begin + context.ReceiveLength, begin);
  context.ReceiveLength = static_cast<std::uint16_t>(context.ReceiveLength - n);
}

}  // namespace tracker
