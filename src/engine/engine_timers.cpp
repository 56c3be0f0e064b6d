// Timer1: the authorisation poll. Timer2: operation time-outs.

#include <string_view>

#include "engine/engine.h"
#include "engine/engine_steps.h"
#include "protocol/commands.h"
#include "protocol/payloads.h"

namespace tracker {
namespace {

struct TimeoutRow {
  std::uint8_t operation;
  std::string_view panel;
  std::string_view box;
};

constexpr TimeoutRow kTimeouts[] = {
    {OpWrite, "Write Error", "Write Overtime!"},
    {OpRead, "Read Error", "Read Overtime!"},
    {OpDefault, "Default Error", "Default Overtime!"},
    {OpClearSms, "Clear SMS Buffer Error", "Clear SMS Buffer Overtime!"},
    {OpClearGprs1, "Clear GPRS-1 Buffer Error", "Clear GPRS-1 Buffer Overtime!"},
    {OpClearGprs2, "Clear GPRS-2 Buffer Error", "Clear GPRS-2 Buffer Overtime!"},
    {OpClearGpsLog, "Clear GPS Log Error", "Clear GPS Log Overtime!"},
    {OpSetMileage, "Set Mileage Error", "Set Mileage Overtime!"},
    {OpAuthId, "Auth ID Error", "Auth ID Overtime!"},
    {OpDeleteId, "Delete ID Error", "Delete ID Overtime!"},
    {OpCheckId, "Check ID Error", "Check ID Overtime!"},
    {OpClearAuthCode, "Clear Auth Code Error", "Clear Auth Code Overtime!"},
    {OpWriteWifi, "Write Error", "Write Overtime!"},
    {OpReadWifi, "Read Error", "Read Overtime!"},
};

}  // namespace

void Engine::Timer1Timer() {
  if (state_.AuthPollDelay == 0) return;
  if (--state_.AuthPollDelay != 0) return;
  BuildAuthPayload(*context_, controls_);
  send(CmdAuthorise);
  state_.Operation = OpIdle;
  state_.ReplyTimeout = 0;
  state_.AuthPollDelay = kAuthPollTicks;
}

void Engine::Timer2Timer() {
  if (state_.ReplyTimeout == 0) return;
  if (--state_.ReplyTimeout != 0) return;
  if (!state_.Identifying) {
    // Inside the All sequences the WiFi group is optional: go on silently.
    if (state_.Operation == OpWriteWifi && state_.WriteAllActive) {
      sendPrepared(5);
      state_.ReplyTimeout = 5;
      return;
    }
    if (state_.Operation == OpReadWifi && state_.ReadAllActive) {
      sendReadStep(5, 5);
      return;
    }
    timedOut();
  }
  state_.Operation = OpIdle;
  state_.WriteAllActive = false;
  state_.ReadAllActive = false;
  state_.Identifying = false;
}

void Engine::timedOut() {
  if (state_.Operation == OpTempPair) {
    const bool deleting = tempDeleting();
    setPanel(deleting ? "Temperature Deleting Error" : "Temperature Pairing Error");
    notice(deleting ? "Temperature Deleting Overtime!" : "Temperature Pairing Overtime!");
    return;
  }
  for (const TimeoutRow& row : kTimeouts) {
    if (row.operation != state_.Operation) continue;
    setPanel(row.panel);
    notice(row.box);
    return;
  }
}

}  // namespace tracker
