#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tracker::sim {

using Bytes = std::vector<std::uint8_t>;

// One frame: 5A A5, big-endian length (command + payload), command, payload,
// big-endian CRC over everything before it.
struct Frame {
  std::uint8_t command = 0;
  Bytes payload;
};

inline constexpr std::size_t kMaxPayload = 40954;

Bytes encodeFrame(std::uint8_t command, std::span<const std::uint8_t> payload);

// Collects frames from a byte stream that may arrive in any slicing: split
// frames wait for their rest, merged frames come out one by one, garbage and
// frames with a wrong CRC are skipped one byte at a time so that a real header
// hidden behind them is still found.
class FrameParser {
 public:
  // Appends received bytes and returns every frame now complete, in order.
  std::vector<Frame> feed(std::span<const std::uint8_t> bytes);

  // True while the buffer holds the start of a frame that has not completed.
  bool hasPartial() const { return !buffer_.empty(); }

  // Gives up on a partial frame that will never complete (its length field was
  // garbage or the sender stopped): drops its first byte and resynchronises.
  std::vector<Frame> dropStale();

  void reset() { buffer_.clear(); }

  // Frames skipped because their CRC did not match (for diagnostics and tests).
  std::size_t badFrames() const { return badFrames_; }

 private:
  std::vector<Frame> extract();

  Bytes buffer_;
  std::size_t badFrames_ = 0;
};

}  // namespace tracker::sim
