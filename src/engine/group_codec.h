#pragma once
// The codec as the engine uses it: one encoder per write step and one decoder
// per read step.

#include <cstddef>
#include <cstdint>

#include "protocol/protocol_context.h"
#include "ui/controls.h"

namespace tracker {

enum class GroupId : std::uint8_t {
  Gprs,
  MainA,
  MainB,
  Interface,
  Temperature,
  Wifi,
  WifiFirstHalf,
  WifiSecondHalf,
  Auth,
  Geo,
  Event,
  Dlt
};

// Fills PayloadBuffer for the group's write (the WiFi list without header).
void EncodeGroup(GroupId group, ProtocolContext& context, const Controls& controls);

// Decodes a read answer at the dispatcher's position; false when the answer
// is too short, and then no control has changed.
bool DecodeGroup(GroupId group, ProtocolContext& context, Controls& controls, std::size_t position);

// Device information of the authorisation answer.
void DecodeDeviceInformation(ProtocolContext& context, Controls& controls, std::size_t position,
                             bool settingsLoaded);

}  // namespace tracker
