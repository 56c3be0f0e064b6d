#pragma once
// The device information that comes with the answer to the authorisation
// frame: three comma-ended texts, then big-endian counters.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace tracker {

// info: the authorisation answer's payload from offset 5 on. Fills the Info
// tab and adapts the input rows to the model named in the firmware text. A
// field that does not lie wholly inside the answer is left as it was.
void DecodeDeviceInfo(std::span<const std::uint8_t> info, Controls& controls, bool settingsLoaded);

// The controls the decoder fills, for the catalogue check.
std::vector<std::string> DeviceInfoControlNames();

}  // namespace tracker
