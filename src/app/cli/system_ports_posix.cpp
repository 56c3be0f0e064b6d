#include "app/cli/sysfs_port_enumerator.h"
#include "app/cli/system_ports.h"

namespace tracker::cli {

std::unique_ptr<PortEnumerator> SystemPortEnumerator() {
  return std::make_unique<SysfsPortEnumerator>();
}

}  // namespace tracker::cli
