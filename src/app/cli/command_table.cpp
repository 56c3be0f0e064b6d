#include "app/cli/command_table.h"

#include <algorithm>

#include "app/cli/cli_options.h"
#include "app/cli/diff_command.h"
#include "base/str_to_int.h"

namespace tracker::cli {
namespace {

constexpr Group kGprs[] = {Group::Gprs};
constexpr Group kMain[] = {Group::MainA, Group::MainB};
constexpr Group kInterface[] = {Group::Interface};
constexpr Group kTemp[] = {Group::Temperature};
constexpr Group kWifi[] = {Group::Wifi};
constexpr Group kSms[] = {Group::Sms};
constexpr Group kGeo[] = {Group::Geo};
constexpr Group kEvent[] = {Group::Event};
constexpr Group kDlt[] = {Group::Dlt};

constexpr GroupArgument kGroupArguments[] = {
    {.name = "gprs", .groups = kGprs},
    {.name = "main", .groups = kMain},
    {.name = "interface", .groups = kInterface},
    {.name = "temp", .groups = kTemp},
    {.name = "wifi", .groups = kWifi},
    {.name = "auth", .groups = kSms},
    {.name = "geo", .groups = kGeo},
    {.name = "event", .groups = kEvent},
    {.name = "dlt", .groups = kDlt},
};

// The group operations of a read or write; no group argument: the All operation.
CommandPlan groupPlan(const std::vector<std::string>& groups, bool write) {
  CommandPlan plan;
  if (groups.empty())
    plan.operations.push_back(write ? OperationId::WriteAll : OperationId::ReadAll);
  const OperationKind kind = write ? OperationKind::Write : OperationKind::Read;
  for (const std::string& name : groups) {
    const GroupArgument* group = FindGroupArgument(name);
    if (group == nullptr) throw UsageError("unknown group '" + name + "'");
    plan.operations.push_back(FindGroupOperation(kind, group->groups.front())->id);
  }
  return plan;
}

CommandPlan click(OperationId operation) {
  CommandPlan plan;
  plan.operations.push_back(operation);
  return plan;
}

std::function<CommandPlan(const std::vector<std::string>&)> clicks(OperationId operation) {
  return [operation](const std::vector<std::string>&) { return click(operation); };
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
std::function<CommandPlan(const std::vector<std::string>&)> rfid(OperationId operation) {
  return [operation](const std::vector<std::string>& ids) {
    CommandPlan plan = click(operation);
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
  CommandPlan plan = click(OperationId::SetMileage);
  plan.prepare = [metres = args.at(0)](Controls& c) { c.setText("Mileage", metres); };
  return plan;
}

CommandPlan tempPair(const std::vector<std::string>& args) {
  if (args.at(0).empty() || args.at(1).empty()) {
    throw UsageError("temp-pair needs a non-empty INDEX and NAME");
  }
  CommandPlan plan = click(OperationId::TempPair);
  plan.prepare = [index = args.at(0), name = args.at(1)](Controls& c) {
    c.setText("Temp_Index", index);
    c.setText("Temp_Name", name);
  };
  return plan;
}

CommandPlan tempDelete(const std::vector<std::string>& args) {
  CommandPlan plan = click(OperationId::TempPair);
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
             CommandPlan plan = click(OperationId::Default);
             plan.reidentify = true;
             return plan;
           }},
      {.name = "clear-sms", .plan = clicks(OperationId::ClearSms)},
      {.name = "clear-gprs1", .plan = clicks(OperationId::ClearGprs1)},
      {.name = "clear-gprs2", .plan = clicks(OperationId::ClearGprs2)},
      {.name = "clear-gps-log", .plan = clicks(OperationId::ClearGpsLog)},
      {.name = "clear-auth-code", .plan = clicks(OperationId::ClearAuthCode)},
      {.name = "set-mileage",
       .synopsis = "METRES",
       .minArguments = 1,
       .maxArguments = 1,
       .plan = setMileage},
      {.name = "rfid-auth",
       .synopsis = "ID...",
       .minArguments = 1,
       .maxArguments = -1,
       .plan = rfid(OperationId::RfidAdd)},
      {.name = "rfid-delete",
       .synopsis = "ID...",
       .minArguments = 1,
       .maxArguments = -1,
       .plan = rfid(OperationId::RfidDelete)},
      {.name = "rfid-check", .plan = clicks(OperationId::RfidCheck)},
      {.name = "temp-pair",
       .synopsis = "INDEX NAME",
       .minArguments = 2,
       .maxArguments = 2,
       .plan = tempPair},
      {.name = "temp-delete", .synopsis = "[INDEX]", .maxArguments = 1, .plan = tempDelete},
      {.name = "history",
       .synopsis = "[DEVICE-ID] [--json] | history show ID [--after]",
       .maxArguments = 2,
       .needsPort = false,
       .plan = [](const auto&) { return CommandPlan{}; }},
      {.name = "restore",
       .synopsis = "ID [--any-tracker]",
       .minArguments = 1,
       .maxArguments = 1,
       .plan = [](const auto&) { return CommandPlan{}; }},
      {.name = "watch",
       .synopsis = "--in FILE [--report FILE]",
       .needsPort = false,
       .plan = [](const auto&) { return groupPlan({}, true); }},
  };
  return kCommands;
}

}  // namespace

std::span<const GroupArgument> GroupArguments() {
  return kGroupArguments;
}

const GroupArgument* FindGroupArgument(std::string_view name) {
  const auto* it = std::ranges::find(kGroupArguments, name, &GroupArgument::name);
  return it == std::end(kGroupArguments) ? nullptr : it;
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
