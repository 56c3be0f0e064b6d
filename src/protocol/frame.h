#pragma once
// The frame, declared once: 5A A5, a big-endian length L (= payload + 1),
// the command byte, the payload, and a big-endian CRC-16 over everything
// before it. Building, finding and completeness all live here; no code
// outside this file adds offsets to a header position.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

namespace tracker {

// A payload or a frame as it goes on the wire.
using Bytes = std::vector<std::uint8_t>;

// The largest frame the buffers hold, and what a frame adds to its payload.
inline constexpr std::size_t kBufferSize = 40961;
inline constexpr std::size_t kFrameOverhead = 7;
inline constexpr std::size_t kMaxPayload = kBufferSize - kFrameOverhead;  // 40,954

// A payload that would not fit a frame; its message is shown to the user.
class EPayloadTooLong : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole frame of a command and its payload; a payload over kMaxPayload
// throws EPayloadTooLong.
Bytes EncodeFrame(std::uint8_t command, std::span<const std::uint8_t> payload);

// A frame seen in some bytes: its command byte and its payload.
struct FrameView {
  std::uint8_t command;
  std::span<const std::uint8_t> payload;
};

// The frame whose header begins at `header`: its command and as much of the
// payload as its length announces and the bytes hold, CRC unchecked (a frame
// on its way out, or a delivery being logged). None when no header stands
// there or its command byte has not arrived.
std::optional<FrameView> FrameAt(std::span<const std::uint8_t> bytes, std::size_t header = 0);

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
  std::size_t end() const;
};

// Finds the complete, CRC-valid frame that was whole first: the one that ends
// first (of two ending together, the one that starts first). So where the
// line was cut never changes which frames are found. A header whose announced
// frame could not fit `capacity` bytes, or whose complete frame fails its CRC,
// is passed over. Without a frame, `keep` is the first header whose frame has
// not fully arrived (or a trailing 5A); bytes before it can no longer belong
// to a frame.
FrameScan ScanFrames(std::span<const std::uint8_t> bytes, std::size_t capacity = kBufferSize);

// True when the bytes, from their first 5A A5 on, are one or more frames that
// have all their announced bytes and a right CRC, with nothing after the last.
// Bytes before the first header are allowed. A pure function: the serial
// reader's thread asks it whether a delivery can end at once.
bool FramesComplete(std::span<const std::uint8_t> bytes);

}  // namespace tracker
