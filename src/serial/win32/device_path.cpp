#include "serial/device_path.h"

namespace tracker {

// "COM5" opens \\.\COM5 (the only form that reaches COM10 and above); a name
// given with the prefix is used as it is.
std::string CommDevicePath(std::string_view name) {
  constexpr std::string_view kPrefix = "\\\\.\\";
  if (name.starts_with(kPrefix)) return std::string(name);
  return std::string(kPrefix) + std::string(name);
}

}  // namespace tracker
