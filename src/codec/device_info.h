#pragma once
// The device information that comes with the answer to the authorisation
// frame: three comma-ended texts, then big-endian counters.

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/protocol_context.h"
#include "ui/controls.h"

namespace tracker {

// position: the command byte's position + 6 (payload offset 5). Fills the
// Info tab and adapts the input rows to the model named in the firmware text.
// A field that does not lie wholly inside the answer is left as it was.
void DecodeDeviceInfo(ProtocolContext& context, Controls& controls, std::uint16_t position,
                      bool settingsLoaded);

// The controls the decoder fills, for the catalogue check.
std::vector<std::string> DeviceInfoControlNames();

}  // namespace tracker
