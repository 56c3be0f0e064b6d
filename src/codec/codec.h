#pragma once
// The parameter codec as the engine uses it: encode a group into
// PayloadBuffer, decode a read answer into the controls.

#include <cstdint>
#include <string>
#include <vector>

#include "codec/decode_result.h"
#include "codec/field_table.h"
#include "protocol/protocol_context.h"
#include "ui/controls.h"

namespace tracker {

enum class Group { Gprs, MainA, MainB, Interface, Temperature, Wifi, Auth, Geo, Event, Dlt };
inline constexpr Group kAllGroups[] = {
    Group::Gprs, Group::MainA, Group::MainB, Group::Interface, Group::Temperature,
    Group::Wifi, Group::Auth,  Group::Geo,   Group::Event,     Group::Dlt};

// Which half of the WiFi list a 0xB7 answer carries: entries 1-16 or 17-32.
enum class WifiHalf { First, Second };

// Fills PayloadBuffer with the group's write payload (block groups: header,
// data, length last; WiFi: the 2,048-byte list). A text a number field cannot
// convert throws EConvertError and leaves PayloadBuffer as it was.
void Encode(Group group, ProtocolContext& context, const Controls& controls);

// Decodes the answer found in ReceiveBuffer. position: for block groups the
// command byte's position + 2, for WiFi the command byte's position + 1
// (half says which entries it holds; other groups ignore it). An answer with
// fewer data bytes than the group uses changes nothing and gives TooShort.
DecodeResult Decode(Group group, ProtocolContext& context, Controls& controls,
                    std::uint16_t position, WifiHalf half = WifiHalf::First);

// The field table of a group.
const GroupTable& TableOf(Group group);

// Every control name a group table names; for the start-up catalogue check.
std::vector<std::string> CodecControlNames();

// Names of CodecControlNames() that the catalogue does not know (empty when
// all is well).
std::vector<std::string> UnknownCodecControls();

}  // namespace tracker
