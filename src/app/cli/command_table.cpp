#include "app/cli/command_table.h"

#include <algorithm>

#include "app/cli/cli_options.h"
#include "app/cli/diff_command.h"
#include "base/str_to_int.h"

namespace tracker::cli {
namespace {

constexpr GroupButtons kGroups[] = {
    {.name = "gprs", .read = "GPRSRead", .write = "GPRSWrite"},
    {.name = "main", .read = "MainRead", .write = "MainWrite"},
    {.name = "interface", .read = "InterfaceRead", .write = "InterfaceWrite"},
    {.name = "temp", .read = "Temp_Read", .write = "Temp_Write"},
    {.name = "wifi", .read = "WIFI_Read", .write = "WIFI_Write"},
    {.name = "auth", .read = "SMSRead", .write = "SMSWrite"},
    {.name = "geo", .read = "GEOFenceRead", .write = "GEOFenceWrite"},
    {.name = "event", .read = "EventRead", .write = "EventWrite"},
    {.name = "dlt", .read = "DLTRead", .write = "DLTWrite"},
};

// Group buttons of a read or write; no group: the All button.
CommandPlan groupPlan(const std::vector<std::string>& groups, bool write) {
  CommandPlan plan;
  if (groups.empty()) plan.buttons.emplace_back(write ? "WriteAll" : "ReadAll");
  for (const std::string& name : groups) {
    const GroupButtons* group = FindGroup(name);
    if (group == nullptr) throw UsageError("unknown group '" + name + "'");
    plan.buttons.emplace_back(write ? group->write : group->read);
  }
  return plan;
}

CommandPlan click(std::string_view button) {
  CommandPlan plan;
  plan.buttons.emplace_back(button);
  return plan;
}

std::function<CommandPlan(const std::vector<std::string>&)> clicks(std::string_view button) {
  return [button](const std::vector<std::string>&) { return click(button); };
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (line.empty() || line.find_first_of("\r\n") != std::string::npos) {
      throw UsageError("an identifier must be one non-empty word");
    }
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

// The RFID buttons send the memo's lines.
std::function<CommandPlan(const std::vector<std::string>&)> rfid(std::string_view button) {
  return [button](const std::vector<std::string>& ids) {
    CommandPlan plan = click(button);
    plan.prepare = [text = joinLines(ids)](Controls& c) { c.setText("RFID_Memo", text); };
    return plan;
  };
}

CommandPlan setMileage(const std::vector<std::string>& args) {
  try {
    StrToInt(args.at(0));
  } catch (const std::exception& e) {
    throw UsageError(e.what());
  }
  CommandPlan plan = click("SetMileage");
  plan.prepare = [metres = args.at(0)](Controls& c) { c.setText("Mileage", metres); };
  return plan;
}

CommandPlan tempPair(const std::vector<std::string>& args) {
  if (args.at(0).empty() || args.at(1).empty()) {
    throw UsageError("temp-pair needs a non-empty INDEX and NAME");
  }
  CommandPlan plan = click("Temp_Pair");
  plan.prepare = [index = args.at(0), name = args.at(1)](Controls& c) {
    c.setText("Temp_Index", index);
    c.setText("Temp_Name", name);
  };
  return plan;
}

CommandPlan tempDelete(const std::vector<std::string>& args) {
  CommandPlan plan = click("Temp_Pair");
  plan.prepare = [index = args.empty() ? std::string() : args.front()](Controls& c) {
    c.setText("Temp_Index", index);
    c.setText("Temp_Name", "");
  };
  return plan;
}

const std::vector<CommandSpec>& table() {
  static const std::vector<CommandSpec> kCommands = {
      {.name = "ports", .needsPort = false, .plan = [](const auto&) { return CommandPlan{}; }},
      {.name = "info", .plan = [](const auto&) { return CommandPlan{}; }},
      {.name = "find", .needsPort = false, .plan = [](const auto&) { return CommandPlan{}; }},
      {.name = "read",
       .synopsis = "[--out FILE] [GROUP...]",
       .maxArguments = -1,
       .plan = [](const auto& a) { return groupPlan(a, false); }},
      {.name = "write",
       .synopsis = "--in FILE [GROUP...]",
       .maxArguments = -1,
       .plan = [](const auto& a) { return groupPlan(a, true); }},
      {.name = "diff",
       .synopsis = "--in FILE [GROUP...] | diff A.ini B.ini",
       .maxArguments = -1,
       .needsPort = false,
       .plan = [](const auto& a) { return DiffPlan(a); }},
      {.name = "default",
       .plan =
           [](const auto&) {
             CommandPlan plan = click("InitAll");
             plan.reidentify = true;
             return plan;
           }},
      {.name = "clear-sms", .plan = clicks("ClearSMS")},
      {.name = "clear-gprs1", .plan = clicks("ClearGPRS1")},
      {.name = "clear-gprs2", .plan = clicks("ClearGPRS2")},
      {.name = "clear-gps-log", .plan = clicks("ClearGPSLog")},
      {.name = "clear-auth-code", .plan = clicks("ClearCode")},
      {.name = "set-mileage",
       .synopsis = "METRES",
       .minArguments = 1,
       .maxArguments = 1,
       .plan = setMileage},
      {.name = "rfid-auth",
       .synopsis = "ID...",
       .minArguments = 1,
       .maxArguments = -1,
       .plan = rfid("SET_ID")},
      {.name = "rfid-delete",
       .synopsis = "ID...",
       .minArguments = 1,
       .maxArguments = -1,
       .plan = rfid("DEL_ID")},
      {.name = "rfid-check", .plan = clicks("CHK_ID")},
      {.name = "temp-pair",
       .synopsis = "INDEX NAME",
       .minArguments = 2,
       .maxArguments = 2,
       .plan = tempPair},
      {.name = "temp-delete", .synopsis = "[INDEX]", .maxArguments = 1, .plan = tempDelete},
      {.name = "watch",
       .synopsis = "--in FILE [--report FILE]",
       .needsPort = false,
       .plan = [](const auto&) { return groupPlan({}, true); }},
  };
  return kCommands;
}

}  // namespace

std::span<const GroupButtons> Groups() {
  return kGroups;
}

const GroupButtons* FindGroup(std::string_view name) {
  const auto it = std::find_if(std::begin(kGroups), std::end(kGroups),
                               [name](const GroupButtons& g) { return g.name == name; });
  return it == std::end(kGroups) ? nullptr : &*it;
}

std::span<const CommandSpec> Commands() {
  return table();
}

const CommandSpec* FindCommand(std::string_view name) {
  const auto& commands = table();
  const auto it = std::find_if(commands.begin(), commands.end(),
                               [name](const CommandSpec& c) { return c.name == name; });
  return it == commands.end() ? nullptr : &*it;
}

}  // namespace tracker::cli
