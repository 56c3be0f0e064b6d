#include "protocol/block_map.h"

namespace tracker {
void BuildReadRequest(ProtocolContext& context, const BlockRange& request) {
  context.clearPayload();
  context.append(request.block);
  context.append(static_cast<std::uint8_t>(request.offset >> 8));
  context.append(static_cast<std::uint8_t>(request.offset & 0xFF));
  context.append(static_cast<std::uint8_t>(request.length >> 8));
  context.append(static_cast<std::uint8_t>(request.length & 0xFF));
}

std::size_t BeginBlockWrite(ProtocolContext& context, std::uint8_t block, std::uint16_t offset) {
  context.clearPayload();
  context.append(block);
  context.append(static_cast<std::uint8_t>(offset >> 8));
  context.append(static_cast<std::uint8_t>(offset & 0xFF));
  context.appendZeros(2);
  return kBlockHeaderSize;
}

void EndBlockWrite(ProtocolContext& context, std::size_t dataStart) {
  context.putBigEndian16(3, static_cast<std::uint16_t>(context.PayloadLength - dataStart));
}

}  // namespace tracker
