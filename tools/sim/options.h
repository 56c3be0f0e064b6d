#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/faults.h"

namespace tracker::sim {

struct SimOptions {
  std::string model = "Larch";
  std::string deviceId = "860000000000001";
  std::optional<std::string> code;       // none: any authorisation code is accepted
  std::optional<std::string> stateFile;  // loaded at start when present, saved at exit
  std::optional<std::string> portFile;   // receives the port path, written atomically
  std::optional<std::string> linkPath;   // a symbolic link to the port while serving
  int paceBaud = 0;                      // 0: send as fast as the pty takes it
  bool banner = false;
  bool help = false;
  bool version = false;
  Faults faults;
};

// A command line the simulator cannot run with.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses the arguments after the program name; throws UsageError.
SimOptions parseOptions(const std::vector<std::string>& args);

std::string usageText();

}  // namespace tracker::sim
