#pragma once
// The device a port name stands for.

#include <string>
#include <string_view>

namespace tracker {

// Linux: "ttyUSB0" and "pts/3" name devices under /dev; an absolute path, or
// one starting with "./" or "../", is used as it is. Windows: "COM5" is
// \\.\COM5; a name that starts with \\.\ is used as it is.
std::string CommDevicePath(std::string_view name);

}  // namespace tracker
