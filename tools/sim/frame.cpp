#include "sim/frame.h"

#include <algorithm>

#include "sim/crc16.h"

namespace tracker::sim {
namespace {

constexpr std::uint8_t kHead0 = 0x5A;
constexpr std::uint8_t kHead1 = 0xA5;
constexpr std::size_t kHeaderBytes = 4;  // 5A A5 and the length
constexpr std::size_t kMaxLengthField = kMaxPayload + 1;

}  // namespace

Bytes encodeFrame(std::uint8_t command, std::span<const std::uint8_t> payload) {
  const std::size_t length = payload.size() + 1;
  Bytes frame;
  frame.reserve(payload.size() + 7);
  frame.push_back(kHead0);
  frame.push_back(kHead1);
  frame.push_back(static_cast<std::uint8_t>(length >> 8));
  frame.push_back(static_cast<std::uint8_t>(length & 0xFF));
  frame.push_back(command);
  frame.insert(frame.end(), payload.begin(), payload.end());
  const std::uint16_t crc = crc16(frame);
  frame.push_back(static_cast<std::uint8_t>(crc >> 8));
  frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  return frame;
}

std::vector<Frame> FrameParser::feed(std::span<const std::uint8_t> bytes) {
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
  return extract();
}

std::vector<Frame> FrameParser::dropStale() {
  if (buffer_.empty()) return {};
  buffer_.erase(buffer_.begin());
  return extract();
}

std::vector<Frame> FrameParser::extract() {
  std::vector<Frame> frames;
  std::size_t pos = 0;
  while (true) {
    // Skip to the next header; a lone trailing 5A may be the start of one.
    while (pos < buffer_.size() && buffer_[pos] != kHead0) ++pos;
    if (pos + 1 < buffer_.size() && buffer_[pos + 1] != kHead1) {
      ++pos;
      continue;
    }
    if (buffer_.size() - pos < kHeaderBytes) break;
    const std::size_t length = (std::size_t{buffer_[pos + 2]} << 8) | buffer_[pos + 3];
    if (length == 0 || length > kMaxLengthField) {
      ++pos;
      continue;
    }
    const std::size_t total = length + 6;
    if (buffer_.size() - pos < total) break;
    const auto begin = buffer_.begin() + static_cast<std::ptrdiff_t>(pos);
    const std::uint16_t crc = crc16(std::span(&buffer_[pos], length + kHeaderBytes));
    const std::uint8_t crcHigh = buffer_[pos + length + 4];
    const std::uint8_t crcLow = buffer_[pos + length + 5];
    if (crcHigh != (crc >> 8) || crcLow != (crc & 0xFF)) {
      ++badFrames_;
      ++pos;
      continue;
    }
    Frame frame;
    frame.command = buffer_[pos + 4];
    frame.payload.assign(begin + 5, begin + static_cast<std::ptrdiff_t>(length + kHeaderBytes));
    frames.push_back(std::move(frame));
    pos += total;
  }
  buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(pos));
  return frames;
}

}  // namespace tracker::sim
