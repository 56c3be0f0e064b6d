#pragma once
// The parameter codec as the engine uses it: encode a group's write payload,
// decode a read answer into the controls.

#include <cstdint>
#include <string>
#include <vector>

#include "codec/decode_result.h"
#include "codec/field_table.h"
#include "codec/group_row.h"
#include "ui/controls.h"

namespace tracker {

// Which half of the WiFi list a 0xB7 answer carries: entries 1-16 or 17-32.
enum class WifiHalf { First, Second };

// The group's write payload (block groups: header, then data; WiFi: the
// 2,048-byte list). A text a number field cannot convert throws EConvertError.
Bytes Encode(Group group, const Controls& controls);

// WiFi entries a read answer carries.
inline constexpr std::uint8_t kWifiEntriesPerRead = 16;

// Decodes the data of a read answer: for block groups the bytes after the
// echoed header, from the group's read offset on; for WiFi the answer's
// payload (half says which entries it holds; other groups ignore it). An
// answer with fewer data bytes than the group uses changes nothing and gives
// TooShort.
DecodeResult Decode(Group group, std::span<const std::uint8_t> data, Controls& controls,
                    WifiHalf half = WifiHalf::First);

// Every control name a group table names; for the start-up catalogue check.
std::vector<std::string> CodecControlNames();

// Names of CodecControlNames() that the catalogue does not know (empty when
// all is well).
std::vector<std::string> UnknownCodecControls();

}  // namespace tracker
