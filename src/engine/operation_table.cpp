#include "engine/operation_table.h"

#include <algorithm>

#include "protocol/commands.h"

namespace tracker {
namespace {

using enum OperationId;
using enum OperationKind;

constexpr Operation kOperations[] = {
    {.id = ReadAll,
     .kind = Read,
     .button = "ReadAll",
     .title = "Read All",
     .starting = "Reading All...",
     .all = true},
    {.id = WriteAll,
     .kind = Write,
     .button = "WriteAll",
     .title = "Write All",
     .starting = "Writing All...",
     .all = true},
    {.id = ReadGprs,
     .kind = Read,
     .button = "GPRSRead",
     .title = "Read GPRS",
     .starting = "Reading GPRS...",
     .group = Group::Gprs},
    {.id = WriteGprs,
     .kind = Write,
     .button = "GPRSWrite",
     .title = "Write GPRS",
     .starting = "Writing GPRS...",
     .group = Group::Gprs},
    {.id = ReadMain,
     .kind = Read,
     .button = "MainRead",
     .title = "Read Main",
     .starting = "Reading Main...",
     .group = Group::MainA},
    {.id = WriteMain,
     .kind = Write,
     .button = "MainWrite",
     .title = "Write Main",
     .starting = "Writing Main...",
     .group = Group::MainA},
    {.id = ReadInterface,
     .kind = Read,
     .button = "InterfaceRead",
     .title = "Read Interface",
     .starting = "Reading Interface...",
     .group = Group::Interface},
    {.id = WriteInterface,
     .kind = Write,
     .button = "InterfaceWrite",
     .title = "Write Interface",
     .starting = "Writing Interface...",
     .group = Group::Interface},
    {.id = ReadTemp,
     .kind = Read,
     .button = "Temp_Read",
     .title = "Read Temp",
     .starting = "Reading Temp...",
     .group = Group::Temperature},
    {.id = WriteTemp,
     .kind = Write,
     .button = "Temp_Write",
     .title = "Write Temp",
     .starting = "Writing Temp...",
     .group = Group::Temperature},
    {.id = ReadWifi,
     .kind = Read,
     .button = "WIFI_Read",
     .title = "Read WIFI",
     .starting = "Reading WIFI...",
     .group = Group::Wifi},
    {.id = WriteWifi,
     .kind = Write,
     .button = "WIFI_Write",
     .title = "Write WIFI",
     .starting = "Writing WIFI...",
     .group = Group::Wifi},
    {.id = ReadSms,
     .kind = Read,
     .button = "SMSRead",
     .title = "Read Auth",
     .starting = "Reading Auth...",
     .group = Group::Sms},
    {.id = WriteSms,
     .kind = Write,
     .button = "SMSWrite",
     .title = "Write Auth",
     .starting = "Writing Auth...",
     .group = Group::Sms},
    {.id = ReadGeo,
     .kind = Read,
     .button = "GEOFenceRead",
     .title = "Read GEO",
     .starting = "Reading GEO...",
     .group = Group::Geo},
    {.id = WriteGeo,
     .kind = Write,
     .button = "GEOFenceWrite",
     .title = "Write GEO",
     .starting = "Writing GEO...",
     .group = Group::Geo},
    {.id = ReadEvent,
     .kind = Read,
     .button = "EventRead",
     .title = "Read Event",
     .starting = "Reading Event...",
     .group = Group::Event},
    {.id = WriteEvent,
     .kind = Write,
     .button = "EventWrite",
     .title = "Write Event",
     .starting = "Writing Event...",
     .group = Group::Event},
    {.id = ReadDlt,
     .kind = Read,
     .button = "DLTRead",
     .title = "Read DLT",
     .starting = "Reading DLT...",
     .group = Group::Dlt},
    {.id = WriteDlt,
     .kind = Write,
     .button = "DLTWrite",
     .title = "Write DLT",
     .starting = "Writing DLT...",
     .group = Group::Dlt},
    {.id = Default,
     .kind = Service,
     .button = "InitAll",
     .title = "Default",
     .command = CmdDefault,
     .confirm = "Restore the tracker's factory defaults? Every parameter it holds is replaced, "
                "including the servers, numbers and fences."},
    {.id = ClearGprs1,
     .kind = Service,
     .button = "ClearGPRS1",
     .title = "Clear GPRS-1",
     .command = CmdClearGprs1,
     .confirm = "Clear the tracker's GPRS-1 buffer? The reports waiting for server 1 will be lost.",
     .enabledAtStart = true},
    {.id = ClearGprs2,
     .kind = Service,
     .button = "ClearGPRS2",
     .title = "Clear GPRS-2",
     .command = CmdClearGprs2,
     .confirm = "Clear the tracker's GPRS-2 buffer? The reports waiting for server 2 will be lost.",
     .enabledAtStart = true},
    {.id = ClearSms,
     .kind = Service,
     .button = "ClearSMS",
     .title = "Clear SMS",
     .command = CmdClearSms,
     .confirm = "Clear the tracker's SMS buffer? The messages waiting in it will be lost.",
     .enabledAtStart = true},
    {.id = ClearGpsLog,
     .kind = Service,
     .button = "ClearGPSLog",
     .title = "Clear GPS Log",
     .command = CmdClearGpsLog,
     .confirm = "Clear the tracker's GPS log? Every position it has logged will be lost.",
     .enabledAtStart = true},
    {.id = SetMileage,
     .kind = Service,
     .button = "SetMileage",
     .title = "Set Mileage",
     .command = CmdSetMileage,
     .enabledAtStart = true},
    {.id = RfidAdd, .kind = Service, .button = "SET_ID", .title = "Auth ID", .command = CmdRfidAdd},
    {.id = RfidDelete,
     .kind = Service,
     .button = "DEL_ID",
     .title = "Delete ID",
     .command = CmdRfidDelete},
    {.id = RfidCheck,
     .kind = Service,
     .button = "CHK_ID",
     .title = "Check ID",
     .command = CmdRfidCheck},
    // Pairing or deleting, and the question, follow from the sensor fields.
    {.id = TempPair,
     .kind = Service,
     .button = "Temp_Pair",
     .title = "Temperature Pairing",
     .command = CmdTempPair},
    {.id = ClearAuthCode,
     .kind = Service,
     .button = "ClearCode",
     .title = "Clear Auth Code",
     .command = CmdClearAuthCode,
     .confirm = "Clear the tracker's authorisation code? It will then answer without a code."},
    // Started from the window's compare action, not from a catalogue button.
    {.id = CompareWithTracker,
     .kind = Read,
     .title = "Compare with Tracker",
     .starting = "Comparing...",
     .all = true,
     .readBack = ReadBackPurpose::Compare},
    {.id = Identify, .kind = Identification},
};

// OperationOf indexes the table by id: the rows stand in the order of the ids.
constexpr bool inIdOrder() {
  for (std::size_t i = 0; i < std::size(kOperations); ++i) {
    if (static_cast<std::size_t>(kOperations[i].id) != i) return false;
  }
  return true;
}
static_assert(inIdOrder());
static_assert(std::size(kOperations) == static_cast<std::size_t>(OperationId::Identify) + 1);

}  // namespace

std::span<const Operation> Operations() {
  return kOperations;
}

const Operation& OperationOf(OperationId id) {
  return kOperations[static_cast<std::size_t>(id)];
}

const Operation* FindOperation(std::string_view button) {
  if (button.empty()) return nullptr;
  const auto* it = std::ranges::find(kOperations, button, &Operation::button);
  return it == std::end(kOperations) ? nullptr : it;
}

const Operation* FindGroupOperation(OperationKind kind, Group group) {
  const auto* it = std::ranges::find_if(kOperations, [&](const Operation& row) {
    return row.kind == kind && !row.all && row.group == group && row.button.size() > 0;
  });
  return it == std::end(kOperations) ? nullptr : it;
}

}  // namespace tracker
