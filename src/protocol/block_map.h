#pragma once
// Byte ranges of the tracker's numbered parameter blocks, and the 5-byte
// block header of read requests and block writes.

#include <cstdint>

#include <span>

#include "protocol/frame.h"

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

// The 5-byte read request: block number, offset and length, big-endian.
Bytes ReadRequest(const BlockRange& request);

// A block write: block number, start offset and data length (big-endian),
// then the data.
Bytes BlockWrite(std::uint8_t block, std::uint16_t offset, std::span<const std::uint8_t> data);

}  // namespace tracker
