#include "protocol/block_map.h"

namespace tracker {
namespace {

constexpr GroupBlock kMap[] = {
    {"GPRS", {1, 32, 229}, ReqGprs},
    {"Main A", {2, 0, 34}, ReqMainA},
    {"Interface", {2, 34, 156}, ReqInterface},
    {"Temperature", {2, 190, 256}, ReqTemp},
    {"Main B", {2, 446, 89}, ReqMainB},
    {"Auth", {3, 0, 116}, ReqAuth},
    {"GEO", {4, 0, 256}, ReqGeo},
    {"Event", {5, 0, 1856}, ReqEvent},
    {"DLT", {6, 0, 35}, ReqDlt},
};

}  // namespace

std::span<const GroupBlock> BlockMap() {
  return kMap;
}

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
