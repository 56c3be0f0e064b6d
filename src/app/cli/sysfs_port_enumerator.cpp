#include "app/cli/sysfs_port_enumerator.h"

#include <system_error>

namespace tracker::cli {
namespace {

bool hasDigitSuffix(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix) || name.size() == prefix.size()) return false;
  for (const char c : name.substr(prefix.size())) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::vector<PortInfo> SysfsPortEnumerator::presentPorts() const {
  std::vector<PortInfo> ports;
  std::error_code error;
  std::filesystem::directory_iterator it(dev_, error);
  // A folder that cannot be listed simply has no ports.
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    const std::string name = it->path().filename().string();
    const bool usb = hasDigitSuffix(name, "ttyUSB") || hasDigitSuffix(name, "ttyACM");
    const bool uart = hasDigitSuffix(name, "ttyS") && LegacyUartPresent(name, sysClassTty_);
    if (usb || uart) ports.push_back(PortInfo{name, {}, 0, 0, false});
  }
  SortPortsByName(ports);
  return ports;
}

}  // namespace tracker::cli
