// Retries: what is safe to ask again. Reading a block twice is harmless, and
// so is writing the same bytes twice, but a write is resent only when nothing
// at all acknowledged it. Service commands act on the tracker and are never
// repeated.

#include <string>
#include <string_view>

#include "codec/read_requests.h"
#include "engine/engine.h"
#include "engine/engine_steps.h"
#include "protocol/commands.h"

namespace tracker {
namespace {

// How many more times a read step is asked after its first request fails.
constexpr int kReadRetries = 2;
// How many more times a write step is sent when no acknowledgement arrived.
constexpr int kWriteRetries = 1;

constexpr std::uint8_t kIdentifierTimeout = 5;

std::string retryText(std::string_view action, Group group, int attempt) {
  return std::string(action) + " " + std::string(SpecOf(group).caption) + ": retry " +
         std::to_string(attempt);
}

}  // namespace

bool Engine::retryAfterTimeout() {
  // The identifier is read by the way: its silence ends the identification
  // rather than holding the connection up (a broken answer is asked again).
  if (state_.Identifying) return false;
  // Inside the All sequences the WiFi steps are optional: a tracker without
  // WiFi never answers them, so they are skipped rather than asked again.
  const bool optionalWifi = (state_.Operation == OpReadWifi && state_.ReadAllActive) ||
                            (state_.Operation == OpWriteWifi && state_.WriteAllActive);
  if (optionalWifi) return false;
  switch (state_.Operation) {
    case OpRead:
    case OpReadWifi:
      return retryRead();
    case OpWrite:
    case OpWriteWifi:
      return !request_.acknowledged && retryWrite();
    default:
      return false;
  }
}

void Engine::retryAfterBadFrame() {
  // A read whose answer arrived broken is asked again at once. When the last
  // attempt's answer is broken too, the read ends as an error; the identifier
  // read, which is silent, is left to its time-out.
  if (state_.Operation != OpRead && state_.Operation != OpReadWifi) return;
  if (!retryRead() && !state_.Identifying) readError();
}

bool Engine::retryRead() {
  if (request_.attempt >= kReadRetries) return false;
  const int attempt = request_.attempt + 1;
  if (state_.ReadStep == kDeviceIdReadStep) {
    BuildReadRequest(*context_, ReqDeviceId);
    send(CmdReadBlock, ReqDeviceId);
    state_.ReplyTimeout = kIdentifierTimeout;
  } else {
    const ReadStepRow* row = FindReadStep(state_.ReadStep);
    if (row == nullptr) return false;
    sendReadStep(*row, row->allTimeout);
    setPanel(retryText("Read", row->group, attempt));
  }
  request_.attempt = attempt;
  return true;
}

bool Engine::retryWrite() {
  if (request_.attempt >= kWriteRetries) return false;
  const WriteStepRow* row = FindWriteStep(state_.WriteStep);
  if (row == nullptr) return false;
  const int attempt = request_.attempt + 1;
  sendPrepared(*row);
  state_.ReplyTimeout = row->allTimeout;
  request_.attempt = attempt;
  setPanel(retryText("Write", row->group, attempt));
  return true;
}

}  // namespace tracker
