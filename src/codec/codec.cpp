#include "codec/codec.h"

#include <algorithm>

#include "codec/device_info.h"
#include "codec/groups/group_tables.h"
#include "ui/catalogue.h"

namespace tracker {
namespace {

constexpr std::uint16_t kWifiHalfBytes = 1024;
// Payload bytes of a read answer before its data: block number, offset, length.
constexpr std::size_t kReadAnswerHeader = 5;

// The bytes of the answer's payload from `first` on, bounded by both the
// frame (FrameLength counts the command byte and the payload) and the
// delivery. `payloadStart` is the position of the first payload byte.
std::span<const std::uint8_t> answerBytes(const ProtocolContext& context, std::size_t payloadStart,
                                          std::size_t first) {
  const std::size_t frameEnd = payloadStart - 1 + context.FrameLength;
  const std::size_t end = std::min<std::size_t>(frameEnd, context.ReceiveLength);
  if (first >= end) return {};
  return {context.ReceiveBuffer.data() + first, end - first};
}

}  // namespace

const GroupTable& TableOf(Group group) {
  switch (group) {
    case Group::Gprs:
      return GprsTable();
    case Group::MainA:
      return MainATable();
    case Group::MainB:
      return MainBTable();
    case Group::Interface:
      return InterfaceTable();
    case Group::Temperature:
      return TemperatureTable();
    case Group::Wifi:
      return WifiTable();
    case Group::Auth:
      return AuthTable();
    case Group::Geo:
      return GeoTable();
    case Group::Event:
      return EventTable();
    case Group::Dlt:
      return DltTable();
  }
  return GprsTable();
}

void Encode(Group group, ProtocolContext& context, const Controls& controls) {
  EncodeTable(TableOf(group), context, controls);
}

DecodeResult Decode(Group group, ProtocolContext& context, Controls& controls,
                    std::uint16_t position, WifiHalf half) {
  const GroupTable& table = TableOf(group);
  if (group == Group::Wifi) {
    const std::uint16_t first = half == WifiHalf::First ? 0 : kWifiHalfBytes;
    return DecodeTable(table, first, kWifiHalfBytes, answerBytes(context, position, position),
                       controls);
  }
  // position is the echoed offset, one byte after the block number.
  const std::size_t payloadStart = position - 1u;
  const auto data = answerBytes(context, payloadStart, payloadStart + kReadAnswerHeader);
  return DecodeTable(table, table.readOffset, table.readLength, data, controls);
}

std::vector<std::string> CodecControlNames() {
  std::vector<std::string> names;
  for (const Group group : kAllGroups) {
    for (const Field& f : TableOf(group).fields) {
      if (!f.control.empty()) names.push_back(f.control);
    }
  }
  for (const std::string& name : DeviceInfoControlNames()) names.push_back(name);
  return names;
}

std::vector<std::string> UnknownCodecControls() {
  std::vector<std::string> unknown;
  for (const std::string& name : CodecControlNames()) {
    if (FindControl(name) == nullptr) unknown.push_back(name);
  }
  return unknown;
}

}  // namespace tracker
