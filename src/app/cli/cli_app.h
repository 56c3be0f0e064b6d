#pragma once
// tracker-cli from the parsed command line to the exit status.

#include <ostream>
#include <string>
#include <vector>

namespace tracker::cli {

inline constexpr int kExitCompleted = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs the tool: results on `out`, status texts and messages on `err`.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tracker::cli
