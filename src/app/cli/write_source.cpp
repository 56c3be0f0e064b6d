#include "app/cli/write_source.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "base/field_error.h"
#include "base/sha256.h"
#include "codec/codec.h"
#include "engine/engine.h"
#include "engine/group_sections.h"
#include "settings/field_names.h"
#include "settings/settings_keys.h"
#include "ui/list_values.h"

namespace tracker::cli {
namespace {

std::string bracketed(std::string_view section) {
  return "[" + std::string(section) + "]";
}

// The groups the source feeds: those of its sections.
std::vector<Group> heldGroups(const WriteSource& source) {
  std::vector<Group> groups;
  for (const std::string_view section : source.held.sections) {
    for (const Group group : GroupsOfSection(section)) groups.push_back(group);
  }
  return groups;
}

// The named group's write, refused when the source lacks its section.
OperationId namedWrite(const WriteSource& source, const std::string& name) {
  const GroupArgument* argument = FindGroupArgument(name);
  if (argument == nullptr) throw std::runtime_error("unknown group '" + name + "'");
  const Group group = argument->groups.front();
  const auto section = SectionOf(group);
  if (!section) {
    throw std::runtime_error("a settings file holds no temperature sensors: " + name +
                             " not written, nothing sent");
  }
  if (!source.held.holds(*section)) {
    throw std::runtime_error(source.name + " holds no " + bracketed(*section) +
                             ": nothing written, nothing sent");
  }
  return FindGroupOperation(OperationKind::Write, group)->id;
}

}  // namespace

WriteSource FileSource(const std::string& path) {
  WriteSource source{.name = path, .bytes = {}, .sha256 = {}, .held = InspectSettingsFile(path)};
  if (!source.held.exists) throw std::runtime_error("settings file '" + path + "' not found");
  if (!source.held.holdsSettings()) throw ENoTrackerSettings(path);
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in) throw std::runtime_error("Cannot read " + path);
  source.bytes = bytes.str();
  source.sha256 = Sha256Hex(source.bytes);
  source.held = InspectSettingsText(source.bytes);  // exactly the bytes sent
  if (!source.held.holdsSettings()) throw ENoTrackerSettings(path);
  return source;
}

WriteSource TextSource(std::string name, std::string bytes) {
  WriteSource source{.name = std::move(name), .bytes = std::move(bytes), .sha256 = {}, .held = {}};
  source.sha256 = Sha256Hex(source.bytes);
  source.held = InspectSettingsText(source.bytes);
  source.held.exists = true;
  if (!source.held.holdsSettings()) throw ENoTrackerSettings(source.name);
  return source;
}

CommandPlan WritePlan(const WriteSource& source, const std::vector<std::string>& groups,
                      std::ostream& err) {
  CommandPlan plan;
  for (const std::string& name : groups) plan.operations.push_back(namedWrite(source, name));
  if (!groups.empty()) return plan;
  const std::string lacking = LackingSectionsLine(source.held, source.name);
  if (lacking.empty()) {
    plan.operations.push_back(OperationId::WriteAll);
    return plan;
  }
  err << lacking << std::endl;
  for (const Group group : heldGroups(source)) {
    const Operation* write = FindGroupOperation(OperationKind::Write, group);
    if (write != nullptr && std::ranges::count(plan.operations, write->id) == 0) {
      plan.operations.push_back(write->id);
    }
  }
  return plan;
}

void CheckEncodes(const WriteSource& source) {
  MemoryControls scratch;
  LoadHeldSettingsText(source.bytes, scratch);
  for (const Group group : heldGroups(source)) {
    try {
      Encode(group, scratch);
    } catch (const EFieldError& e) {
      throw std::runtime_error(source.name + ": " + FileFieldName(e.control()) + ": " +
                               e.problem());
    }
  }
}

void ListKeptKeys(const WriteSource& source, std::ostream& err) {
  for (const std::string& line : KeptKeyLines(source.held, source.name)) err << line << std::endl;
}

void KeepTrackerValues(const WriteSource& source, const MemoryControls& before,
                       const std::vector<Group>& read, Controls& controls) {
  for (const SettingKey* key : source.held.missing) {
    const std::vector<Group> groups = GroupsOfSection(key->section);
    const bool copied =
        std::ranges::all_of(groups, [&](Group g) { return std::ranges::count(read, g) > 0; });
    if (!copied) continue;  // a group this write does not send, or WiFi a tracker lacks
    switch (key->type) {
      case SettingType::Text:
        controls.setText(key->control, before.text(key->control));
        break;
      case SettingType::Position:
        SetListValue(controls, key->control, ListValue(before, key->control));
        break;
      case SettingType::Flag:
        controls.setChecked(key->control, before.checked(key->control));
        break;
    }
  }
}

}  // namespace tracker::cli
