#pragma once
// An answer frame parsed once into a typed value. Every view is bounded by
// the frame it came from, so no handler reads past its answer.

#include <cstdint>
#include <optional>
#include <span>

#include "protocol/block_map.h"
#include "protocol/frame.h"

namespace tracker {

// A complete, CRC-valid frame: its command byte and its payload.
using Answer = FrameView;

// A block read answer: the echo of the request's block header, then the data.
struct BlockAnswer {
  BlockRange echo;
  std::span<const std::uint8_t> data;
};

// A write acknowledgement: the block written and the tracker's result.
struct Acknowledgement {
  std::uint8_t block;
  std::uint8_t result;
};

inline constexpr std::uint8_t kAckOk = 1;

// A block read answer, or none when the payload is shorter than the echo.
std::optional<BlockAnswer> AsBlockAnswer(const Answer& answer);

// A block write acknowledgement, or none when it has fewer than two bytes.
std::optional<Acknowledgement> AsAcknowledgement(const Answer& answer);

// The first payload byte (a service command's result), or none when empty.
std::optional<std::uint8_t> FirstByte(const Answer& answer);

}  // namespace tracker
