#include "engine/plan.h"

#include <algorithm>

#include "codec/read_requests.h"
#include "engine/engine_services.h"
#include "protocol/commands.h"

namespace tracker {
namespace {

// A group's place in the All sequences: how long its step waits when it
// follows another, and whether it is the first of two ranges.
struct SequenceRow {
  Group group;
  WifiHalf half = WifiHalf::First;
  bool continues = false;
  std::uint8_t timeout = kReplyTicks;
};

constexpr SequenceRow kWriteOrder[] = {
    {.group = Group::Gprs},        {.group = Group::MainA, .continues = true},
    {.group = Group::MainB},       {.group = Group::Interface},
    {.group = Group::Temperature}, {.group = Group::Wifi, .timeout = kWifiFollowTicks},
    {.group = Group::Sms},         {.group = Group::Geo},
    {.group = Group::Event},       {.group = Group::Dlt},
};

constexpr SequenceRow kReadOrder[] = {
    {.group = Group::Gprs},
    {.group = Group::MainA, .continues = true},
    {.group = Group::MainB},
    {.group = Group::Interface},
    {.group = Group::Temperature},
    {.group = Group::Wifi, .continues = true, .timeout = kWifiListTicks},
    {.group = Group::Wifi, .half = WifiHalf::Second, .timeout = kWifiFollowTicks},
    {.group = Group::Sms},
    {.group = Group::Geo},
    {.group = Group::Event},
    {.group = Group::Dlt},
};

Step readStep(const SequenceRow& row) {
  const bool wifi = row.group == Group::Wifi;
  const std::uint16_t first = row.half == WifiHalf::First ? 0 : kWifiEntriesPerRead;
  return {.command = wifi ? CmdReadWifi : CmdReadBlock,
          .range = wifi ? BlockRange{.block = 0, .offset = first, .length = kWifiEntriesPerRead}
                        : SpecOf(row.group).read,
          .group = row.group,
          .timeout = row.timeout,
          .continues = row.continues};
}

Step writeStep(const SequenceRow& row) {
  const GroupSpec& spec = SpecOf(row.group);
  return {.command = spec.blockHeader ? CmdWriteBlock : CmdWriteWifi,
          .range = spec.write,
          .group = row.group,
          .timeout = row.timeout,
          .continues = row.continues};
}

// The rows of one group (with its second range), or of the whole sequence
// from it; DLT only while its tab is shown.
std::vector<const SequenceRow*> rowsOf(std::span<const SequenceRow> order, Group first, bool all,
                                       bool dltShown) {
  std::vector<const SequenceRow*> rows;
  for (auto row = std::ranges::find(order, first, &SequenceRow::group); row != order.end(); ++row) {
    if (row->group == Group::Dlt && !dltShown) break;
    rows.push_back(&*row);
    if (!all && !row->continues) break;
  }
  return rows;
}

// Appends the steps of one phase; its first step waits the usual time, as a
// new start. Inside the All sequences the WiFi list is optional: firmware
// without WiFi does not answer it.
template <typename Make>
void addPhase(std::vector<Step>& plan, const std::vector<const SequenceRow*>& rows, bool all,
              Make make) {
  const std::size_t start = plan.size();
  for (const SequenceRow* row : rows) {
    Step step = make(*row);
    step.optional = all && row->group == Group::Wifi;
    plan.push_back(step);
  }
  if (plan.size() > start) plan[start].timeout = kReplyTicks;
}

// The reads of the copy before: the groups the operation replaces.
void addCopy(std::vector<Step>& plan, const Operation& operation, const PlanContext& context) {
  std::vector<const SequenceRow*> rows;
  switch (operation.keeps) {
    case KeepsBefore::Nothing:
    case KeepsBefore::DeviceInfo:
      return;
    case KeepsBefore::Identifiers:
      plan.push_back(
          {.command = CmdRfidCheck, .timeout = ServiceOf(CmdRfidCheck).timeout, .copy = true});
      return;
    case KeepsBefore::AllGroups:
      rows = rowsOf(kReadOrder, Group::Gprs, true, context.dltShown);
      break;
    case KeepsBefore::Groups:
      rows = rowsOf(kReadOrder, operation.group, operation.all, context.dltShown);
      if (operation.all) {
        std::erase_if(rows, [&](const SequenceRow* row) {
          return std::ranges::count(context.leftOutOfWriteAll, row->group) > 0;
        });
      }
      break;
  }
  const bool all = operation.all || operation.keeps == KeepsBefore::AllGroups;
  const std::size_t start = plan.size();
  addPhase(plan, rows, all, readStep);
  for (std::size_t i = start; i < plan.size(); ++i) plan[i].copy = true;
}

}  // namespace

bool Step::reads() const {
  return command == CmdReadBlock || command == CmdReadWifi;
}

bool Step::writes() const {
  return command == CmdWriteBlock || command == CmdWriteWifi;
}

WifiHalf Step::half() const {
  return command == CmdReadWifi && range.offset != 0 ? WifiHalf::Second : WifiHalf::First;
}

Step IdentifierStep() {
  // Read by the way: its silence ends the identification quietly.
  return {
      .command = CmdReadBlock, .range = ReqDeviceId, .timeout = kIdentifierTicks, .optional = true};
}

std::vector<Step> BuildPlan(const Operation& operation, const PlanContext& context) {
  std::vector<Step> plan;
  if (context.copyBefore) addCopy(plan, operation, context);
  switch (operation.kind) {
    case OperationKind::Service:
      plan.push_back(
          {.command = operation.command, .timeout = ServiceOf(operation.command).timeout});
      break;
    case OperationKind::Identification:
      plan.push_back(IdentifierStep());
      break;
    case OperationKind::Write: {
      std::vector<const SequenceRow*> rows =
          rowsOf(kWriteOrder, operation.group, operation.all, context.dltShown);
      if (operation.all) {
        std::erase_if(rows, [&](const SequenceRow* row) {
          return std::ranges::count(context.leftOutOfWriteAll, row->group) > 0;
        });
      }
      addPhase(plan, rows, operation.all, writeStep);
      if (!context.verifyAfterWriting) break;
      // The read-back: the read of the same groups ("Write All": "Read All").
      [[fallthrough]];
    }
    case OperationKind::Read:
      addPhase(plan, rowsOf(kReadOrder, operation.group, operation.all, context.dltShown),
               operation.all, readStep);
      break;
  }
  return plan;
}

}  // namespace tracker
