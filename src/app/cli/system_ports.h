#pragma once
// The present serial ports of this system, for `tracker-cli ports`: the sysfs
// scan on Linux, the registry's list (with friendly names) on Windows.

#include <memory>

#include "serial/port_enumerator.h"

namespace tracker::cli {

std::unique_ptr<PortEnumerator> SystemPortEnumerator();

}  // namespace tracker::cli
