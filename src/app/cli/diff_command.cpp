#include "app/cli/diff_command.h"

#include <stdexcept>

#include "engine/field_compare.h"
#include "settings/settings_file.h"
#include "ui/memory_controls.h"

namespace tracker::cli {
namespace {

void load(const std::string& path, Controls& controls) {
  if (!LoadSettingsFile(path, controls)) {
    throw std::runtime_error("settings file '" + path + "' not found");
  }
}

int print(const std::vector<FieldDifference>& differences, std::string_view leftWord,
          std::string_view rightWord, std::ostream& out) {
  for (const FieldDifference& d : differences)
    out << DifferenceLine(d, leftWord, rightWord) << '\n';
  out.flush();
  return differences.empty() ? 0 : kExitDiffers;
}

}  // namespace

void CheckDiffLine(const CliOptions& options) {
  if (options.port.empty()) {
    if (options.inFile || options.arguments.size() != 2) {
      throw UsageError("usage: diff A.ini B.ini, or --port PORT diff --in FILE [GROUP...]");
    }
    return;
  }
  if (!options.inFile) throw UsageError("diff with --port needs --in FILE");
  for (const std::string& name : options.arguments) {
    if (FindGroupArgument(name) == nullptr) throw UsageError("unknown group '" + name + "'");
  }
}

CommandPlan DiffPlan(const std::vector<std::string>& arguments) {
  CommandPlan plan;
  for (const std::string& name : arguments) {
    const GroupArgument* group = FindGroupArgument(name);
    if (group == nullptr) return {};  // two files: nothing to run
    plan.operations.push_back(FindGroupOperation(OperationKind::Read, group->groups.front())->id);
  }
  if (plan.operations.empty()) plan.operations.push_back(OperationId::ReadAll);
  return plan;
}

int PrintTrackerDiff(const Controls& tracker, const std::string& file,
                     const std::vector<std::string>& groupNames, std::ostream& out) {
  std::vector<Group> groups;
  if (groupNames.empty()) groups.assign(AllGroups().begin(), AllGroups().end());
  for (const std::string& name : groupNames) {
    const std::span<const Group> named = FindGroupArgument(name)->groups;
    groups.insert(groups.end(), named.begin(), named.end());
  }
  MemoryControls fromFile;
  load(file, fromFile);
  const std::vector<std::string> controls = SettingsControlsOf(groups);
  return print(CompareControls(controls, tracker, fromFile, FieldNaming::Settings), "tracker",
               "file", out);
}

int PrintFileDiff(const std::string& first, const std::string& second, std::ostream& out) {
  MemoryControls a;
  MemoryControls b;
  load(first, a);
  load(second, b);
  const std::vector<std::string> controls = SettingsControls();
  return print(CompareControls(controls, a, b, FieldNaming::Settings), first, second, out);
}

}  // namespace tracker::cli
