#include "engine/engine_services.h"

#include <span>

#include "codec/payloads.h"
#include "protocol/commands.h"

namespace tracker {
namespace {

Bytes emptyPayload(const Controls&) {
  return {};
}

const ServiceSpec kServices[] = {
    {.command = CmdDefault,
     .timeout = kSlowServiceTicks,
     .starting = "Defaulting...",
     .build = emptyPayload,
     .answers = {{{.result = 1, .panel = "Default OK", .box = "Default Completed!"}}},
     .readAllAfter = true,
     .timeoutPanel = "Default Error",
     .timeoutBox = "Default Overtime!"},
    {.command = CmdClearSms,
     .timeout = kReplyTicks,
     .starting = "Clear SMS...",
     .build = emptyPayload,
     .answers =
         {{{.result = 1, .panel = "Clear SMS Buffer OK", .box = "Clear SMS Buffer Completed!"}}},
     .timeoutPanel = "Clear SMS Buffer Error",
     .timeoutBox = "Clear SMS Buffer Overtime!"},
    {.command = CmdClearGprs1,
     .timeout = kReplyTicks,
     .starting = "Clear GPRS-1...",
     .build = emptyPayload,
     .answers = {{{.result = 1,
                   .panel = "Clear GPRS-1 Buffer OK",
                   .box = "Clear GPRS-1 Buffer Completed!"}}},
     .timeoutPanel = "Clear GPRS-1 Buffer Error",
     .timeoutBox = "Clear GPRS-1 Buffer Overtime!"},
    {.command = CmdClearGprs2,
     .timeout = kReplyTicks,
     .starting = "Clear GPRS-2...",
     .build = emptyPayload,
     .answers = {{{.result = 1,
                   .panel = "Clear GPRS-2 Buffer OK",
                   .box = "Clear GPRS-2 Buffer Completed!"}}},
     .timeoutPanel = "Clear GPRS-2 Buffer Error",
     .timeoutBox = "Clear GPRS-2 Buffer Overtime!"},
    {.command = CmdClearGpsLog,
     .timeout = kReplyTicks,
     .starting = "Clear GPS Log...",
     .build = emptyPayload,
     .answers = {{{.result = 1, .panel = "Clear GPS Log OK", .box = "Clear GPS Log Completed!"}}},
     .timeoutPanel = "Clear GPS Log Error",
     .timeoutBox = "Clear GPS Log Overtime!"},
    {.command = CmdSetMileage,
     .timeout = kReplyTicks,
     .starting = "Set Mileage...",
     .build = MileagePayload,
     .answers = {{{.result = 1, .panel = "Set Mileaga OK", .box = "Set Mileaga Completed!"}}},
     .timeoutPanel = "Set Mileage Error",
     .timeoutBox = "Set Mileage Overtime!"},
    {.command = CmdRfidAdd,
     .timeout = kSlowServiceTicks,
     .starting = "Auth ID...",
     .build = MemoPayload,
     .answers =
         {{{.result = 1, .panel = "Auth ID OK", .box = "Auth ID Completed!"},
           {.result = 2, .panel = "Auth ID Error", .box = "Auth ID Error!"},
           {.result = 4, .panel = "Under Authorization...", .box = "Under Authorization..."}}},
     .timeoutPanel = "Auth ID Error",
     .timeoutBox = "Auth ID Overtime!"},
    {.command = CmdRfidDelete,
     .timeout = kSlowServiceTicks,
     .starting = "Deleting ID...",
     .build = MemoPayload,
     .answers = {{{.result = 1, .panel = "Delete ID OK", .box = "Delete ID Completed!"},
                  {.result = 2, .panel = "Delete ID Error", .box = "Delete ID Error!"},
                  {.result = 5, .panel = "Deleting ID...", .box = "Deleting ID..."}}},
     .timeoutPanel = "Delete ID Error",
     .timeoutBox = "Delete ID Overtime!"},
    {.command = CmdRfidCheck,
     .timeout = kReplyTicks,
     .starting = "Check ID...",
     .build = MemoPayload,
     // Any other answer is the list of identifiers the tracker holds.
     .answers = {{{.result = 2, .panel = "Check ID Error", .box = "Check ID Error!"},
                  {.result = kAnyResult,
                   .panel = "Check ID OK",
                   .box = "Check ID Completed!",
                   .listsIdentifiers = true}}},
     .timeoutPanel = "Check ID Error",
     .timeoutBox = "Check ID Overtime!"},
    {.command = CmdClearAuthCode,
     .timeout = kReplyTicks,
     .starting = "Clear Auth Code...",
     .build = emptyPayload,
     .answers =
         {{{.result = 1, .panel = "Clear Auth Code OK", .box = "Clear Auth Code Completed!"}}},
     .pollAfter = false,
     .timeoutPanel = "Clear Auth Code Error",
     .timeoutBox = "Clear Auth Code Overtime!"},
    {.command = CmdTempPair,
     .timeout = kReplyTicks,
     .starting = "Temperature Pairing...",
     .build = TempSensorPayload,
     .answers =
         {{{.result = 2, .panel = "Temperature Pairing Error", .box = "Temperature Pairing Error!"},
           {.result = kAnyResult,
            .panel = "Temperature Pairing OK",
            .box = "Temperature Pairing Completed!"}}},
     .pollAfter = false,
     .timeoutPanel = "Temperature Pairing Error",
     .timeoutBox = "Temperature Pairing Overtime!"},
    {.command = CmdTempPair,
     .timeout = kReplyTicks,
     .starting = "Temperature Deleting...",
     .build = TempSensorPayload,
     .answers = {{{.result = 2,
                   .panel = "Temperature Deleting Error",
                   .box = "Temperature Deleting Error!"},
                  {.result = kAnyResult,
                   .panel = "Temperature Deleting OK",
                   .box = "Temperature Deleting Completed!"}}},
     .pollAfter = false,
     .timeoutPanel = "Temperature Deleting Error",
     .timeoutBox = "Temperature Deleting Overtime!"},
};

}  // namespace

const ServiceSpec& ServiceOf(std::uint8_t command, bool deleting) {
  const ServiceSpec* found = &kServices[0];
  for (const ServiceSpec& spec : kServices) {
    if (spec.command != command) continue;
    found = &spec;
    if (!deleting) break;  // pairing comes first, deleting second
  }
  return *found;
}

bool DeletesSensors(const Controls& controls) {
  return controls.text("Temp_Index").empty() || controls.text("Temp_Name").empty();
}

std::string_view QuestionOf(const Operation& operation, const Controls& controls) {
  if (operation.command != CmdTempPair || !DeletesSensors(controls)) return operation.confirm;
  return controls.text("Temp_Index").empty() ? "Really Delete All Temperatures?"
                                             : "Really Delete Temperature?";
}

const ServiceSpec& ServiceFor(const Operation& operation, const Controls& controls) {
  return ServiceOf(operation.command, operation.command == CmdTempPair && DeletesSensors(controls));
}

}  // namespace tracker
