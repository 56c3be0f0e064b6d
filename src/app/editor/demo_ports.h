#pragma once
// The port list of the demo mode: the simulated tracker's port first.

#include <string>
#include <vector>

#include "serial/port_enumerator.h"

namespace tracker {

class DemoPortEnumerator : public PortEnumerator {
 public:
  DemoPortEnumerator(const PortEnumerator& present, std::string demoPort)
      : present_(present), demoPort_(std::move(demoPort)) {}
  std::vector<PortInfo> presentPorts() const override;

 private:
  const PortEnumerator& present_;
  std::string demoPort_;
};

}  // namespace tracker
