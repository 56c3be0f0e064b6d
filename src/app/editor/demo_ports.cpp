#include "app/editor/demo_ports.h"

namespace tracker {

std::vector<PortInfo> DemoPortEnumerator::presentPorts() const {
  std::vector<PortInfo> ports{PortInfo{demoPort_, "Simulated tracker", 0, 0, false}};
  for (PortInfo& info : present_.presentPorts()) ports.push_back(std::move(info));
  return ports;
}

}  // namespace tracker
