#include "app/cli/system_ports.h"
#include "serial/win32/registry_port_enumerator.h"

namespace tracker::cli {

std::unique_ptr<PortEnumerator> SystemPortEnumerator() {
  return std::make_unique<RegistryPortEnumerator>();
}

}  // namespace tracker::cli
