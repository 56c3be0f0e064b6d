#include "serial/device_path.h"

namespace tracker {

std::string CommDevicePath(std::string_view name) {
  if (name.starts_with('/') || name.starts_with("./") || name.starts_with("../")) {
    return std::string(name);
  }
  return "/dev/" + std::string(name);
}

}  // namespace tracker
