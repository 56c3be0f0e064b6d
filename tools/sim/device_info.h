#pragma once

#include <string>

#include "sim/device_store.h"

namespace tracker::sim {

// The device-information part of the authorisation answer: firmware "," IMEI
// "," serial number ",", then the raw figures, numbers big-endian: four buffer
// pairs (stored, capacity; 4 bytes each), battery (1), mileage (4) and the
// number of stored RFID identifiers (2).
Bytes deviceInfo(const DeviceStore& store, const std::string& firmware);

// Firmware text for a model; it names the model so the editor can recognise it.
std::string firmwareFor(const std::string& model);

}  // namespace tracker::sim
