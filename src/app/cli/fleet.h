#pragma once
// Several ports at once: the command runs on every --port in parallel, one
// session on its own thread each, with its lines prefixed by the port's name,
// a summary table at the end and, with --report, one JSON line per tracker.

#include <ostream>
#include <string>

#include "app/cli/cli_options.h"

namespace tracker::cli {

// The rules of several ports and --report; throws UsageError.
void CheckFleetOptions(const CliOptions& options);

// The port's name as the lines and the table show it: "ttyUSB0", "pts/3", "COM12".
std::string PortLabel(const std::string& port);

// Runs the command on every port (one port: in this thread, unprefixed);
// 0 only when every port completed, else the worst exit status.
int RunFleet(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tracker::cli
