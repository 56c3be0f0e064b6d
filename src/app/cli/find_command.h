#pragma once
// tracker-cli find: polls the present serial ports (or those the --port
// patterns match) at once, each in a session of its own, and prints one line
// per port whose tracker answered: port, device identifier, firmware. Exit
// status 1 when none answered.

#include <ostream>

#include "app/cli/cli_options.h"

namespace tracker::cli {

int RunFind(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tracker::cli
