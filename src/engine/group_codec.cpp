#include "engine/group_codec.h"

#include "codec/codec.h"
#include "codec/device_info.h"

namespace tracker {
namespace {

Group codecGroup(GroupId group) {
  switch (group) {
    case GroupId::Gprs:
      return Group::Gprs;
    case GroupId::MainA:
      return Group::MainA;
    case GroupId::MainB:
      return Group::MainB;
    case GroupId::Interface:
      return Group::Interface;
    case GroupId::Temperature:
      return Group::Temperature;
    case GroupId::Wifi:
    case GroupId::WifiFirstHalf:
    case GroupId::WifiSecondHalf:
      return Group::Wifi;
    case GroupId::Auth:
      return Group::Auth;
    case GroupId::Geo:
      return Group::Geo;
    case GroupId::Event:
      return Group::Event;
    case GroupId::Dlt:
      return Group::Dlt;
  }
  return Group::Gprs;
}

}  // namespace

void EncodeGroup(GroupId group, ProtocolContext& context, const Controls& controls) {
  Encode(codecGroup(group), context, controls);
}

bool DecodeGroup(GroupId group, ProtocolContext& context, Controls& controls,
                 std::size_t position) {
  const WifiHalf half = group == GroupId::WifiSecondHalf ? WifiHalf::Second : WifiHalf::First;
  return Decode(codecGroup(group), context, controls, static_cast<std::uint16_t>(position), half) ==
         DecodeResult::Ok;
}

void DecodeDeviceInformation(ProtocolContext& context, Controls& controls, std::size_t position,
                             bool settingsLoaded) {
  DecodeDeviceInfo(context, controls, static_cast<std::uint16_t>(position), settingsLoaded);
}

}  // namespace tracker
