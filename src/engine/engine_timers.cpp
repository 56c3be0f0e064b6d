// Timer1: the authorisation poll. Timer2: operation time-outs.

#include <string_view>

#include "codec/payloads.h"
#include "engine/engine.h"
#include "engine/engine_services.h"
#include "protocol/commands.h"

namespace tracker {

void Engine::Timer1Timer() {
  watchForSilence();
  if (state_.AuthPollDelay == 0) return;
  if (--state_.AuthPollDelay != 0) return;
  if (busy()) {
    // The poll never cancels an operation: it goes out at the first tick after.
    state_.AuthPollDelay = 1;
    return;
  }
  send(CmdAuthorise, AuthPayload(controls_));
  state_.ReplyTimeout = 0;
  state_.AuthPollDelay = kAuthPollTicks;
  pollSent();
}

void Engine::Timer2Timer() {
  watchForReturn();
  if (state_.ReplyTimeout == 0) return;
  if (--state_.ReplyTimeout != 0) return;
  if (retryAfterTimeout()) return;
  unanswered();
}

void Engine::timedOut() {
  if (service_ != nullptr && !state_.current().copy) {
    setPanel(service_->timeoutPanel);
    notice(service_->timeoutBox);
    service_ = nullptr;
    return;
  }
  const bool writing = state_.activity == Activity::Writing;
  setPanel(writing ? "Write Error" : "Read Error");
  notice(writing ? "Write Overtime!" : "Read Overtime!");
}

}  // namespace tracker
