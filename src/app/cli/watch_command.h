#pragma once
// tracker-cli watch: zero-touch programming. Waits for ports to appear,
// writes the settings file to each tracker as it is plugged in (one session on
// its own thread per port), prints one line per tracker and carries on until
// SIGINT or SIGTERM. A port that stays present is not programmed again; one
// that goes and comes back (or now leads to another device) is.

#include <ostream>
#include <string>
#include <vector>

#include "app/cli/cli_options.h"

namespace tracker::cli {

// The ports watched without --port: the USB serial adapters.
std::vector<std::string> DefaultWatchPatterns();

// The present ports the patterns match, each with the device it leads to
// (a link resolved), sorted by port.
std::vector<std::pair<std::string, std::string>> MatchingPorts(
    const std::vector<std::string>& patterns);

int RunWatch(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tracker::cli
