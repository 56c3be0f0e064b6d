#pragma once
// Byte ranges of the tracker's numbered parameter blocks, and the 5-byte
// block header of read requests and block writes.

#include <cstdint>

#include "protocol/protocol_context.h"

namespace tracker {

// A byte range of one parameter block.
struct BlockRange {
  std::uint8_t block;
  std::uint16_t offset;
  std::uint16_t length;

  friend bool operator==(const BlockRange&, const BlockRange&) = default;
};

inline constexpr std::size_t kBlockHeaderSize = 5;

// Sizes of the tracker's blocks 1 to 6 (index 0 unused).
inline constexpr std::uint16_t kBlockSizes[] = {0, 271, 535, 116, 256, 4096, 48};

// Fills PayloadBuffer with the 5-byte read request; PayloadLength ends at 5.
void BuildReadRequest(ProtocolContext& context, const BlockRange& request);

// Starts a write payload: block number, start offset (big-endian) and two
// bytes reserved for the data length. Returns the position where data starts.
std::size_t BeginBlockWrite(ProtocolContext& context, std::uint8_t block, std::uint16_t offset);

// Stores the data length (big-endian) into payload bytes 3 and 4.
void EndBlockWrite(ProtocolContext& context, std::size_t dataStart);

}  // namespace tracker
