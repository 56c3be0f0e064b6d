#pragma once
// tracker-cli from the parsed command line to the exit status.

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli/cli_options.h"
#include "app/cli/report.h"
#include "engine/progress.h"

namespace tracker::cli {

inline constexpr int kExitCompleted = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Said when a write from a settings file leaves the Temperature group out.
inline constexpr const char* kTemperatureNote =
    "tracker-cli: the Temperature group is not written (a settings file holds no temperature "
    "rows); the tracker keeps its paired sensors";

// Runs the tool: results on `out`, status texts and messages on `err`.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Told the progress of each planned operation as it moves; none when it ends.
using ProgressListener = std::function<void(const std::optional<Progress>&)>;

// Runs the command on options.port alone; fills the record of the tracker.
int RunOnPort(const CliOptions& options, std::ostream& out, std::ostream& err,
              TrackerRecord& record, const ProgressListener& progress);

}  // namespace tracker::cli
