#include "codec/codec.h"

#include "codec/device_info.h"
#include "codec/groups/group_rows.h"
#include "ui/catalogue.h"

namespace tracker {
namespace {

constexpr std::uint16_t kWifiHalfBytes = 1024;

using SpecFunction = const GroupSpec& (*)();

// Indexed by Group, in its order.
constexpr SpecFunction kSpecs[] = {GprsSpec, MainASpec, MainBSpec, InterfaceSpec, TemperatureSpec,
                                   WifiSpec, AuthSpec,  GeoSpec,   EventSpec,     DltSpec};

constexpr Group kGroups[] = {Group::Gprs,        Group::MainA, Group::MainB, Group::Interface,
                             Group::Temperature, Group::Wifi,  Group::Sms,   Group::Geo,
                             Group::Event,       Group::Dlt};

}  // namespace

const GroupSpec& SpecOf(Group group) {
  return kSpecs[static_cast<std::size_t>(group)]();
}

std::span<const Group> AllGroups() {
  return kGroups;
}

Bytes Encode(Group group, const Controls& controls) {
  return EncodeTable(SpecOf(group), controls);
}

DecodeResult Decode(Group group, std::span<const std::uint8_t> data, Controls& controls,
                    WifiHalf half) {
  const GroupSpec& spec = SpecOf(group);
  if (group == Group::Wifi) {
    const std::uint16_t first = half == WifiHalf::First ? 0 : kWifiHalfBytes;
    return DecodeTable(spec, first, kWifiHalfBytes, data, controls);
  }
  return DecodeTable(spec, spec.read.offset, spec.read.length, data, controls);
}

std::vector<std::string> CodecControlNames() {
  std::vector<std::string> names;
  for (const Group group : AllGroups()) {
    for (const Field& f : SpecOf(group).fields) {
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
