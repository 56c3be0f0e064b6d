// Retries: what is safe to ask again. Reading a block twice is harmless, and
// so is writing the same bytes twice, but a write is resent only when nothing
// at all acknowledged it. Service commands act on the tracker and are never
// repeated.

#include <string>
#include <string_view>

#include "engine/engine.h"
#include "protocol/commands.h"

namespace tracker {
namespace {

// How many more times a read step is asked after its first request fails.
constexpr int kReadRetries = 2;
// How many more times a write step is sent when no acknowledgement arrived.
constexpr int kWriteRetries = 1;

std::string retryText(std::string_view action, Group group, int attempt) {
  return std::string(action) + " " + std::string(SpecOf(group).caption) + ": retry " +
         std::to_string(attempt);
}

}  // namespace

bool Engine::retryAfterTimeout() {
  // Optional steps (the WiFi list inside the All sequences, the identifier)
  // are skipped rather than asked again: a tracker without WiFi never
  // answers, and the identifier must not hold the connection up.
  if (state_.activity == Activity::Idle || state_.current().optional) return false;
  switch (state_.activity) {
    case Activity::Reading:
      return retryStep(kReadRetries);
    case Activity::Writing:
      return !request_.acknowledged && retryStep(kWriteRetries);
    default:
      return false;
  }
}

void Engine::retryAfterBadFrame() {
  // A read whose answer arrived broken is asked again at once. When the last
  // attempt's answer is broken too, the read ends as an error; the identifier
  // read, which is silent, is left to its time-out.
  const bool identifying = state_.activity == Activity::Identifying;
  if (state_.activity != Activity::Reading && !identifying) return;
  if (!retryStep(kReadRetries) && !identifying) readError();
}

bool Engine::retryStep(int retries) {
  if (request_.attempt >= retries) return false;
  const int attempt = request_.attempt + 1;
  const Step& step = state_.current();
  sendStep();
  request_.attempt = attempt;
  if (step.group) setPanel(retryText(step.writes() ? "Write" : "Read", *step.group, attempt));
  return true;
}

}  // namespace tracker
