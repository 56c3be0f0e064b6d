#pragma once
// The present serial ports on Windows: the names under
// HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, each described by its
// device's friendly name from SetupAPI ("USB-SERIAL CH340 (COM5)") where the
// device has one.

#include "serial/port_enumerator.h"

namespace tracker {

class RegistryPortEnumerator : public PortEnumerator {
 public:
  // Sorted by name, digit runs compared as numbers (COM2 before COM10). A
  // missing or unreadable key yields no ports.
  std::vector<PortInfo> presentPorts() const override;
};

}  // namespace tracker
