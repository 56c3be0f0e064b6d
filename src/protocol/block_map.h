#pragma once
// Where each parameter group lives in the tracker's numbered blocks, and the
// read requests that fetch them.

#include <cstdint>
#include <span>
#include <string_view>

#include "protocol/protocol_context.h"

namespace tracker {

// A byte range of one parameter block.
struct BlockRange {
  std::uint8_t block;
  std::uint16_t offset;
  std::uint16_t length;
};

// The ten read requests: block, start offset, number of bytes wanted.
inline constexpr BlockRange ReqGprs{1, 16, 255};
inline constexpr BlockRange ReqDeviceId{1, 16, 15};
inline constexpr BlockRange ReqMainA{2, 0, 34};
inline constexpr BlockRange ReqMainB{2, 446, 89};
inline constexpr BlockRange ReqInterface{2, 34, 156};
inline constexpr BlockRange ReqTemp{2, 190, 256};
inline constexpr BlockRange ReqAuth{3, 0, 116};
inline constexpr BlockRange ReqGeo{4, 0, 256};
inline constexpr BlockRange ReqEvent{5, 0, 4096};
inline constexpr BlockRange ReqDlt{6, 0, 48};

inline constexpr std::size_t kBlockHeaderSize = 5;

// One row of the parameter-block map: the range a group writes.
struct GroupBlock {
  std::string_view group;
  BlockRange write;  // start offset and data length of the group's write
  BlockRange read;   // the request that reads it
};

// GPRS, Main A, Interface, Temperature, Main B, Auth, GEO, Event, DLT.
std::span<const GroupBlock> BlockMap();

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
