#include "protocol/frame.h"

#include <algorithm>
#include <cstring>

#include "protocol/crc16.h"

namespace tracker {
namespace {

constexpr std::uint8_t kHeader0 = 0x5A;
constexpr std::uint8_t kHeader1 = 0xA5;
constexpr std::size_t kLengthAt = 2;   // after 5A A5
constexpr std::size_t kCommandAt = 4;  // after the length field
constexpr std::size_t kPayloadAt = 5;  // after the command byte
constexpr std::size_t kCrcSize = 2;
constexpr std::size_t kAroundLength = 6;  // header, length field and CRC

bool headerAt(std::span<const std::uint8_t> bytes, std::size_t p) {
  return bytes.size() >= 2 && p <= bytes.size() - 2 && bytes[p] == kHeader0 &&
         bytes[p + 1] == kHeader1;
}

std::size_t lengthAt(std::span<const std::uint8_t> bytes, std::size_t header) {
  return bytes[header + kLengthAt] * 256u + bytes[header + kLengthAt + 1];
}

bool crcMatches(std::span<const std::uint8_t> frame) {
  const std::size_t body = frame.size() - kCrcSize;
  const std::uint16_t crc = Crc16(frame.first(body));
  return frame[body] == (crc >> 8) && frame[body + 1] == (crc & 0xFF);
}

}  // namespace

std::vector<std::uint8_t> EncodeFrame(std::uint8_t command, std::span<const std::uint8_t> payload) {
  if (payload.size() > kMaxPayload) {
    throw EPayloadTooLong("The data is too long to send in one frame.");
  }
  const auto length = static_cast<std::uint16_t>(payload.size() + 1);
  std::vector<std::uint8_t> frame;
  frame.reserve(payload.size() + kFrameOverhead);
  frame.insert(frame.end(), {kHeader0, kHeader1, static_cast<std::uint8_t>(length >> 8),
                             static_cast<std::uint8_t>(length & 0xFF), command});
  frame.insert(frame.end(), payload.begin(), payload.end());
  const std::uint16_t crc = Crc16(frame);
  frame.push_back(static_cast<std::uint8_t>(crc >> 8));
  frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  return frame;
}

std::optional<FrameView> FrameAt(std::span<const std::uint8_t> bytes, std::size_t header) {
  if (!headerAt(bytes, header) || header + kCommandAt >= bytes.size()) return std::nullopt;
  const std::size_t length = lengthAt(bytes, header);
  const std::size_t payloadAt = header + kPayloadAt;
  const std::size_t end = std::min(header + kCommandAt + length, bytes.size());
  const std::span<const std::uint8_t> payload =
      end > payloadAt ? bytes.subspan(payloadAt, end - payloadAt) : std::span<const std::uint8_t>{};
  return FrameView{.command = bytes[header + kCommandAt], .payload = payload};
}

std::size_t FrameScan::end() const {
  return header + length + kAroundLength;
}

FrameScan ScanFrames(std::span<const std::uint8_t> bytes, std::size_t capacity) {
  const std::size_t n = bytes.size();
  FrameScan scan;
  scan.keep = n;
  for (std::size_t h = 0; h < n; ++h) {
    // memchr: the line may hold kilobytes of noise before a header.
    const void* next = std::memchr(bytes.data() + h, kHeader0, n - h);
    if (next == nullptr) break;
    h = static_cast<std::size_t>(static_cast<const std::uint8_t*>(next) - bytes.data());
    if (h + 1 == n || (bytes[h + 1] == kHeader1 && h + kCommandAt > n)) {
      // A header still arriving: nothing after it can be a complete frame.
      scan.keep = std::min(scan.keep, h);
      break;
    }
    if (bytes[h + 1] != kHeader1) continue;
    const std::size_t length = lengthAt(bytes, h);
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

bool FramesComplete(std::span<const std::uint8_t> bytes) {
  std::size_t p = 0;
  while (p + 1 < bytes.size() && !headerAt(bytes, p)) ++p;
  if (!headerAt(bytes, p)) return false;
  while (p < bytes.size()) {
    if (!headerAt(bytes, p) || p + kCommandAt > bytes.size()) return false;
    const std::size_t end = p + lengthAt(bytes, p) + kAroundLength;
    // The length is checked before the CRC, so a frame still arriving costs no CRC.
    if (end > bytes.size() || !crcMatches(bytes.subspan(p, end - p))) return false;
    p = end;
  }
  return true;
}

}  // namespace tracker
