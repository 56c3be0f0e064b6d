#include "app/cli/command_table.h"

#include <algorithm>

#include "app/cli/cli_options.h"
#include "base/str_to_int.h"

namespace tracker::cli {
namespace {

constexpr GroupButtons kGroups[] = {
    {"gprs", "GPRSRead", "GPRSWrite"},
    {"main", "MainRead", "MainWrite"},
    {"interface", "InterfaceRead", "InterfaceWrite"},
    {"temp", "Temp_Read", "Temp_Write"},
    {"wifi", "WIFI_Read", "WIFI_Write"},
    {"auth", "SMSRead", "SMSWrite"},
    {"geo", "GEOFenceRead", "GEOFenceWrite"},
    {"event", "EventRead", "EventWrite"},
    {"dlt", "DLTRead", "DLTWrite"},
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
      {"ports", "", 0, 0, false, [](const auto&) { return CommandPlan{}; }},
      {"info", "", 0, 0, true, [](const auto&) { return CommandPlan{}; }},
      {"read", "[--out FILE] [GROUP...]", 0, -1, true,
       [](const auto& a) { return groupPlan(a, false); }},
      {"write", "--in FILE [GROUP...]", 0, -1, true,
       [](const auto& a) { return groupPlan(a, true); }},
      {"default", "", 0, 0, true,
       [](const auto&) {
         CommandPlan plan = click("InitAll");
         plan.reidentify = true;
         return plan;
       }},
      {"clear-sms", "", 0, 0, true, clicks("ClearSMS")},
      {"clear-gprs1", "", 0, 0, true, clicks("ClearGPRS1")},
      {"clear-gprs2", "", 0, 0, true, clicks("ClearGPRS2")},
      {"clear-gps-log", "", 0, 0, true, clicks("ClearGPSLog")},
      {"clear-auth-code", "", 0, 0, true, clicks("ClearCode")},
      {"set-mileage", "METRES", 1, 1, true, setMileage},
      {"rfid-auth", "ID...", 1, -1, true, rfid("SET_ID")},
      {"rfid-delete", "ID...", 1, -1, true, rfid("DEL_ID")},
      {"rfid-check", "", 0, 0, true, clicks("CHK_ID")},
      {"temp-pair", "INDEX NAME", 2, 2, true, tempPair},
      {"temp-delete", "[INDEX]", 0, 1, true, tempDelete},
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
