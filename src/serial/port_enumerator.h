#pragma once
// The list of present serial ports, as the port list of the window shows it.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tracker {

struct PortInfo {
  std::string name;  // what OpenComm takes, e.g. "ttyUSB0"
  std::string description;
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  bool hasIds = false;
};

class PortEnumerator {
 public:
  virtual ~PortEnumerator() = default;
  virtual std::vector<PortInfo> presentPorts() const = 0;
};

// A given list, for tests and the demo mode.
class FixedPortEnumerator : public PortEnumerator {
 public:
  explicit FixedPortEnumerator(std::vector<PortInfo> ports) : ports_(std::move(ports)) {}
  std::vector<PortInfo> presentPorts() const override { return ports_; }

 private:
  std::vector<PortInfo> ports_;
};

// Names compared with their digit runs as numbers: ttyACM1 < ttyUSB0 < ttyUSB2 < ttyUSB10.
bool NaturalLess(std::string_view a, std::string_view b);
void SortPortsByName(std::vector<PortInfo>& ports);

// Whether the kernel shows a UART behind a legacy "ttyS" name: its serial core
// port type (<sysClassTty>/<name>/type) is known, i.e. not 0. The kernel creates
// ttyS0..N for every possible 8250 slot; the empty ones report type 0.
bool LegacyUartPresent(std::string_view name,
                       const std::filesystem::path& sysClassTty = "/sys/class/tty");

}  // namespace tracker
