#pragma once
// The present serial ports without Qt: USB adapters (ttyUSB*, ttyACM*) and the
// legacy UARTs (ttyS*) that the kernel reports as real.

#include <filesystem>

#include "serial/port_enumerator.h"

namespace tracker::cli {

class SysfsPortEnumerator : public PortEnumerator {
 public:
  explicit SysfsPortEnumerator(std::filesystem::path dev = "/dev",
                               std::filesystem::path sysClassTty = "/sys/class/tty")
      : dev_(std::move(dev)), sysClassTty_(std::move(sysClassTty)) {}

  // Sorted by name, digit runs compared as numbers.
  std::vector<PortInfo> presentPorts() const override;

 private:
  std::filesystem::path dev_;
  std::filesystem::path sysClassTty_;
};

}  // namespace tracker::cli
