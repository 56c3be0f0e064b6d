#pragma once
// The device a port name stands for.

#include <string>
#include <string_view>

namespace tracker {

// "ttyUSB0" and "pts/3" name devices under /dev; an absolute path, or one
// starting with "./" or "../", is used as it is.
std::string CommDevicePath(std::string_view name);

}  // namespace tracker
