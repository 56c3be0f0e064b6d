#pragma once
// The present serial ports as Qt's serial-port module sees them.

#include <filesystem>

#include "serial/port_enumerator.h"

namespace tracker {

class QtPortEnumerator : public PortEnumerator {
 public:
  explicit QtPortEnumerator(std::filesystem::path sysClassTty = "/sys/class/tty")
      : sysClassTty_(std::move(sysClassTty)) {}

  // USB adapters and real UARTs, sorted by name (ttyACM0 < ttyACM1 < ttyUSB0 <
  // ttyUSB10), named as OpenComm takes them.
  std::vector<PortInfo> presentPorts() const override;

 private:
  std::filesystem::path sysClassTty_;
};

}  // namespace tracker
