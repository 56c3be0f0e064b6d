#pragma once
// The commands of tracker-cli and what each one does to the window: the
// control values it sets and the operations it runs, one after the other.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codec/group_row.h"
#include "engine/operation_table.h"
#include "ui/controls.h"

namespace tracker::cli {

// A group argument: a parameter group as the command line names it, and the
// codec groups behind it (Main travels as two).
struct GroupArgument {
  std::string_view name;  // "gprs"
  std::span<const Group> groups;
};

std::span<const GroupArgument> GroupArguments();
const GroupArgument* FindGroupArgument(std::string_view name);

// What a command does once the tracker has been identified.
struct CommandPlan {
  std::vector<OperationId> operations;     // run in order; the next after the last completes
  std::function<void(Controls&)> prepare;  // sets control values before the first click
  bool reidentify = false;  // the tracker restarts: wait for its identification again
};

struct CommandSpec {
  std::string_view name;
  std::string_view synopsis = {};  // arguments, for the usage text
  int minArguments = 0;
  int maxArguments = 0;  // -1: any number
  bool needsPort = true;
  // Builds the plan; throws UsageError for arguments it cannot use.
  std::function<CommandPlan(const std::vector<std::string>& arguments)> plan;
};

std::span<const CommandSpec> Commands();
const CommandSpec* FindCommand(std::string_view name);

}  // namespace tracker::cli
