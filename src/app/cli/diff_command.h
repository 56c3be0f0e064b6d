#pragma once
// diff: the tracker against a settings file, or two settings files, key by
// key; one line a key that differs.

#include <ostream>
#include <string>
#include <vector>

#include "app/cli/cli_options.h"
#include "app/cli/command_table.h"
#include "ui/controls.h"

namespace tracker::cli {

inline constexpr int kExitDiffers = 3;

// With --port: --in FILE and GROUP names; without: exactly two files. Throws UsageError.
void CheckDiffLine(const CliOptions& options);

// The reads of the groups (Read All without one); nothing to run for two files.
CommandPlan DiffPlan(const std::vector<std::string>& arguments);

// Prints "[Section] Key: tracker X, file Y" for each key the given groups'
// reads set (every group without one) and the write would change; returns
// 0 or kExitDiffers. Throws std::runtime_error when the file is missing.
int PrintTrackerDiff(const Controls& tracker, const std::string& file,
                     const std::vector<std::string>& groupNames, std::ostream& out);

// Prints "[Section] Key: A X, B Y" for each key of the settings file that differs.
int PrintFileDiff(const std::string& first, const std::string& second, std::ostream& out);

}  // namespace tracker::cli
