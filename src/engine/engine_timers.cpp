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
  if (busy()) {
    // The poll never cancels an operation: it goes out at the first tick after.
    state_.AuthPollDelay = 1;
    return;
  }
  BuildAuthPayload(*context_, controls_);
  send(CmdAuthorise);
  state_.ReplyTimeout = 0;
  state_.AuthPollDelay = kAuthPollTicks;
  pollSent();
}

void Engine::Timer2Timer() {
  watchForReturn();
  if (state_.ReplyTimeout == 0) return;
  if (--state_.ReplyTimeout != 0) return;
  if (retryAfterTimeout()) return;
  if (state_.Identifying) {
    endOperation();  // the identifier is read by the way; its silence is no error
    return;
  }
  if (state_.Operation == OpWriteWifi || state_.Operation == OpReadWifi) {
    wifiUnanswered();
    return;
  }
  timedOut();
  endOperation();
}

void Engine::wifiUnanswered() {
  // Inside the All sequences the WiFi list is optional (firmware without
  // WiFi does not answer): go on, and name the omission at the end.
  if (state_.Operation == OpWriteWifi && state_.WriteAllActive) {
    wifiSkipped_ = true;
    sendPrepared(*NextWriteStep(WriteStepOf(Group::Wifi), true));
    state_.ReplyTimeout = 5;
    return;
  }
  if (state_.Operation == OpReadWifi && state_.ReadAllActive) {
    wifiSkipped_ = true;
    window_.setTabNote(kWifiTab, "not read from this tracker");
    sendReadStep(ReadStepOf(Group::Auth), 5);
    return;
  }
  timedOut();
  endOperation();
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
