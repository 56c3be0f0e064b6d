#pragma once

#include <stdexcept>
#include <string>

#include "sim/device_store.h"

namespace tracker::sim {

// A state file that cannot be read or written.
class StateError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The tracker's memory as text, one item a line, bytes as hex:
//   tracker-sim-state 1
//   block <n> <hex>        (n = 1..6)
//   wifi <hex>
//   rfid <hex>             (one line per identifier)
//   buffer <k> <stored> <capacity>   (k = 0..3: SMS, GPRS-1, GPRS-2, GPS log)
//   battery <n>
//   mileage <n>
//   code <hex> | code none
// Lines missing from the file leave the store's value as it is.
std::string formatState(const DeviceStore& store);
void parseState(const std::string& text, DeviceStore& store);

// Throws StateError. Saving writes a temporary file and renames it over the
// old one, so an interrupted save never leaves half a file.
void loadStateFile(const std::string& path, DeviceStore& store);
void saveStateFile(const std::string& path, const DeviceStore& store);

// Writes text to path through a temporary file and a rename.
void writeFileAtomically(const std::string& path, const std::string& text);

}  // namespace tracker::sim
