#include "engine/engine_services.h"

#include <span>

#include "protocol/commands.h"
#include "protocol/payloads.h"

namespace tracker {
namespace {

void emptyPayload(ProtocolContext& context, const Controls&) {
  BuildEmptyPayload(context);
}

// The button names of the Temp Pair rows are told apart by what they send.
constexpr std::string_view kTempPair = "Temp_Pair";

const ServiceSpec kServices[] = {
    {.button = "InitAll",
     .operation = OpDefault,
     .command = CmdDefault,
     .timeout = 10,
     .starting = "Defaulting...",
     .build = emptyPayload,
     .answers = {{{.result = 1, .panel = "Default OK", .box = "Default Completed!"}}},
     .timeoutPanel = "Default Error",
     .timeoutBox = "Default Overtime!",
     .confirm = "Restore the tracker's factory defaults? Every parameter it holds is replaced, "
                "including the servers, numbers and fences."},
    {.button = "ClearSMS",
     .operation = OpClearSms,
     .command = CmdClearSms,
     .timeout = 5,
     .starting = "Clear SMS...",
     .build = emptyPayload,
     .answers =
         {{{.result = 1, .panel = "Clear SMS Buffer OK", .box = "Clear SMS Buffer Completed!"}}},
     .timeoutPanel = "Clear SMS Buffer Error",
     .timeoutBox = "Clear SMS Buffer Overtime!",
     .confirm = "Clear the tracker's SMS buffer? The messages waiting in it will be lost."},
    {.button = "ClearGPRS1",
     .operation = OpClearGprs1,
     .command = CmdClearGprs1,
     .timeout = 5,
     .starting = "Clear GPRS-1...",
     .build = emptyPayload,
     .answers = {{{.result = 1,
                   .panel = "Clear GPRS-1 Buffer OK",
                   .box = "Clear GPRS-1 Buffer Completed!"}}},
     .timeoutPanel = "Clear GPRS-1 Buffer Error",
     .timeoutBox = "Clear GPRS-1 Buffer Overtime!",
     .confirm =
         "Clear the tracker's GPRS-1 buffer? The reports waiting for server 1 will be lost."},
    {.button = "ClearGPRS2",
     .operation = OpClearGprs2,
     .command = CmdClearGprs2,
     .timeout = 5,
     .starting = "Clear GPRS-2...",
     .build = emptyPayload,
     .answers = {{{.result = 1,
                   .panel = "Clear GPRS-2 Buffer OK",
                   .box = "Clear GPRS-2 Buffer Completed!"}}},
     .timeoutPanel = "Clear GPRS-2 Buffer Error",
     .timeoutBox = "Clear GPRS-2 Buffer Overtime!",
     .confirm =
         "Clear the tracker's GPRS-2 buffer? The reports waiting for server 2 will be lost."},
    {.button = "ClearGPSLog",
     .operation = OpClearGpsLog,
     .command = CmdClearGpsLog,
     .timeout = 5,
     .starting = "Clear GPS Log...",
     .build = emptyPayload,
     .answers = {{{.result = 1, .panel = "Clear GPS Log OK", .box = "Clear GPS Log Completed!"}}},
     .timeoutPanel = "Clear GPS Log Error",
     .timeoutBox = "Clear GPS Log Overtime!",
     .confirm = "Clear the tracker's GPS log? Every position it has logged will be lost."},
    {.button = "SetMileage",
     .operation = OpSetMileage,
     .command = CmdSetMileage,
     .timeout = 5,
     .starting = "Set Mileage...",
     .build = BuildMileagePayload,
     .answers = {{{.result = 1, .panel = "Set Mileaga OK", .box = "Set Mileaga Completed!"}}},
     .timeoutPanel = "Set Mileage Error",
     .timeoutBox = "Set Mileage Overtime!"},
    {.button = "SET_ID",
     .operation = OpAuthId,
     .command = CmdAuthId,
     .timeout = 10,
     .starting = "Auth ID...",
     .build = BuildMemoPayload,
     .answers =
         {{{.result = 1, .panel = "Auth ID OK", .box = "Auth ID Completed!"},
           {.result = 2, .panel = "Auth ID Error", .box = "Auth ID Error!"},
           {.result = 4, .panel = "Under Authorization...", .box = "Under Authorization..."}}},
     .timeoutPanel = "Auth ID Error",
     .timeoutBox = "Auth ID Overtime!"},
    {.button = "DEL_ID",
     .operation = OpDeleteId,
     .command = CmdDeleteId,
     .timeout = 10,
     .starting = "Deleting ID...",
     .build = BuildMemoPayload,
     .answers = {{{.result = 1, .panel = "Delete ID OK", .box = "Delete ID Completed!"},
                  {.result = 2, .panel = "Delete ID Error", .box = "Delete ID Error!"},
                  {.result = 5, .panel = "Deleting ID...", .box = "Deleting ID..."}}},
     .timeoutPanel = "Delete ID Error",
     .timeoutBox = "Delete ID Overtime!"},
    {.button = "CHK_ID",
     .operation = OpCheckId,
     .command = CmdCheckId,
     .timeout = 5,
     .starting = "Check ID...",
     .build = BuildMemoPayload,
     // Any other answer is the list of identifiers the tracker holds.
     .answers = {{{.result = 2, .panel = "Check ID Error", .box = "Check ID Error!"},
                  {.result = kAnyResult, .panel = "Check ID OK", .box = "Check ID Completed!"}}},
     .timeoutPanel = "Check ID Error",
     .timeoutBox = "Check ID Overtime!"},
    {.button = "ClearCode",
     .operation = OpClearAuthCode,
     .command = CmdClearAuthCode,
     .timeout = 5,
     .starting = "Clear Auth Code...",
     .build = emptyPayload,
     .answers =
         {{{.result = 1, .panel = "Clear Auth Code OK", .box = "Clear Auth Code Completed!"}}},
     .pollAfter = false,
     .timeoutPanel = "Clear Auth Code Error",
     .timeoutBox = "Clear Auth Code Overtime!",
     .confirm = "Clear the tracker's authorisation code? It will then answer without a code."},
    {.button = kTempPair,
     .operation = OpTempPair,
     .command = CmdTempPair,
     .timeout = 5,
     .starting = "Temperature Pairing...",
     .build = BuildTempSensorPayload,
     .answers =
         {{{.result = 2, .panel = "Temperature Pairing Error", .box = "Temperature Pairing Error!"},
           {.result = kAnyResult,
            .panel = "Temperature Pairing OK",
            .box = "Temperature Pairing Completed!"}}},
     .pollAfter = false,
     .timeoutPanel = "Temperature Pairing Error",
     .timeoutBox = "Temperature Pairing Overtime!"},
    {.button = kTempPair,
     .operation = OpTempPair,
     .command = CmdTempPair,
     .timeout = 5,
     .starting = "Temperature Deleting...",
     .build = BuildTempSensorPayload,
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

constexpr std::size_t kPairingRow = std::size(kServices) - 2;

}  // namespace

std::span<const ServiceSpec> ServiceSpecs() {
  return kServices;
}

const ServiceSpec* FindService(std::string_view button) {
  for (const ServiceSpec& spec : kServices) {
    if (spec.button == button) return &spec;
  }
  return nullptr;
}

const ServiceSpec* FindServiceOf(Op operation) {
  for (const ServiceSpec& spec : kServices) {
    if (spec.operation == operation) return &spec;
  }
  return nullptr;
}

const ServiceSpec& TempPairService(bool deleting) {
  return kServices[kPairingRow + (deleting ? 1 : 0)];
}

}  // namespace tracker
