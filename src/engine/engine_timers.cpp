// Timer1: the authorisation poll. Timer2: operation time-outs.

#include <string_view>

#include "engine/engine.h"
#include "engine/engine_services.h"
#include "engine/engine_steps.h"
#include "protocol/commands.h"
#include "protocol/payloads.h"

namespace tracker {
namespace {

struct TimeoutRow {
  Op operation;
  std::string_view panel;
  std::string_view box;
};

// Group reads and writes; service commands carry their own texts.
constexpr TimeoutRow kTimeouts[] = {
    {OpWrite, "Write Error", "Write Overtime!"},
    {OpRead, "Read Error", "Read Overtime!"},
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
      sendPrepared(*NextWriteStep(WriteStepOf(Group::Wifi), true));
      state_.ReplyTimeout = 5;
      return;
    }
    if (state_.Operation == OpReadWifi && state_.ReadAllActive) {
      sendReadStep(ReadStepOf(Group::Auth), 5);
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
  const ServiceSpec* service = service_ != nullptr && service_->operation == state_.Operation
                                   ? service_
                                   : FindServiceOf(state_.Operation);
  service_ = nullptr;
  if (service != nullptr) {
    setPanel(service->timeoutPanel);
    notice(service->timeoutBox);
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
