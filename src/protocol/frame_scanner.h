#pragma once
// Finding answer frames in the bytes gathered from the line, wherever the line
// cut them and whatever noise lies around them. FindFrame tries the first
// header only; the receive path uses ScanFrames, which moves on past any
// header that cannot begin a valid frame.

#include <cstddef>
#include <cstdint>
#include <span>

#include "protocol/protocol_context.h"

namespace tracker {

inline constexpr std::size_t kNoFrame = static_cast<std::size_t>(-1);

struct FrameScan {
  std::size_t header = kNoFrame;  // the 5A of the frame found
  std::uint16_t length = 0;       // that frame's length field
  std::size_t keep = 0;           // no frame: the first byte that may still begin one
  // No frame: the first complete frame that failed its CRC ahead of every
  // byte kept (it is dropped with the bytes before `keep`), or kNoFrame.
  std::size_t rejected = kNoFrame;

  bool found() const { return header != kNoFrame; }
  // The first byte after the found frame.
  std::size_t end() const { return header + length + 6; }
};

// Finds the complete, CRC-valid frame that was whole first: the one that ends
// first (of two ending together, the one that starts first). So where the
// line was cut never changes which frames are found. A header whose announced
// frame could not fit `capacity` bytes, or whose complete frame fails its CRC,
// is passed over. Without a frame, `keep` is the first header whose frame has
// not fully arrived (or a trailing 5A); bytes before it can no longer belong
// to a frame.
FrameScan ScanFrames(std::span<const std::uint8_t> bytes, std::size_t capacity = kBufferSize);

// Appends as much of a delivery to ReceiveBuffer as fits; returns the count.
std::size_t AppendReceived(ProtocolContext& context, std::span<const std::uint8_t> bytes);

// Drops the first `count` received bytes; the rest move to the buffer's start.
void DropReceived(ProtocolContext& context, std::size_t count);

}  // namespace tracker
