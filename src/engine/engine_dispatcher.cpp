// Comm1ReceiveData: gathers deliveries, finds the answer frames in them and
// acts on each according to the operation in progress.

#include <algorithm>
#include <string_view>

#include "base/latin1.h"
#include "codec/device_info.h"
#include "codec/read_requests.h"
#include "engine/engine.h"
#include "engine/engine_services.h"
#include "protocol/commands.h"
#include "protocol/frame.h"

namespace tracker {
namespace {

constexpr std::string_view kModel = "Model";

// The tab of the WiFi list, noted when a Read All could not read it.
constexpr std::string_view kWifiTab = "TabSheet10";

bool containsModel(std::span<const std::uint8_t> bytes) {
  // More than five bytes are required, as the tracker's banner is longer.
  if (bytes.size() <= kModel.size()) return false;
  return std::search(bytes.begin(), bytes.end(), kModel.begin(), kModel.end()) != bytes.end();
}

}  // namespace

void Engine::Comm1ReceiveData(std::span<const std::uint8_t> bytes) {
  // A delivery is gathered behind the bytes kept from earlier ones; one larger
  // than the room left is taken in parts, as frames free the room.
  bool acted = false;
  for (auto rest = bytes; !rest.empty();) {
    rest = rest.subspan(received_.append(rest));
    acted = actOnGathered() || acted;
  }
  if (!acted && containsModel(bytes)) state_.AuthPollDelay = kAuthPollTicks;
}

bool Engine::actOnGathered() {
  // Acts on each valid frame in turn until one leads to a new request, which
  // drops the rest; keeps only the bytes that may still begin a frame.
  bool acted = false;
  for (;;) {
    const std::span<const std::uint8_t> bytes = received_.bytes();
    const FrameScan scan = ScanFrames(bytes);
    if (!scan.found()) {
      // A broken frame whose command is the one asked for is a broken answer.
      const std::optional<FrameView> broken = FrameAt(bytes, scan.rejected);
      const bool retry = broken && broken->command == request_.command;
      received_.drop(scan.keep);
      if (retry) retryAfterBadFrame();
      return acted;
    }
    acted = true;
    const std::uint32_t requests = newRequests_;
    try {
      actOnFrame(*FrameAt(bytes, scan.header));
    } catch (...) {
      received_.clear();  // the frame that failed must not be acted on again
      throw;
    }
    if (newRequests_ != requests) return true;
    received_.drop(scan.end());
  }
}

bool Engine::answersRequest(const Answer& answer) const {
  // An answer to another command: a late answer to an earlier request, or an
  // authorisation answer still arriving after the poll.
  if (answer.command != request_.command) return false;
  if (answer.command == CmdReadBlock) {
    // A block answer must echo exactly the range asked for; an answer to an
    // earlier read of another group must not be decoded into this one.
    const auto block = AsBlockAnswer(answer);
    return block && block->echo == request_.range;
  }
  if (answer.command == CmdWriteBlock) {
    // The acknowledgement names the block that was written.
    const auto ack = AsAcknowledgement(answer);
    return ack && ack->block == request_.range.block;
  }
  return true;
}

void Engine::actOnFrame(const Answer& answer) {
  if (state_.activity == Activity::Idle) {
    if (answer.command == CmdAuthorise) onAuthAnswer(answer);
    return;
  }
  if (!answersRequest(answer)) return;
  switch (state_.activity) {
    case Activity::Identifying:
      onDeviceId(*AsBlockAnswer(answer));
      return;
    case Activity::Reading:
      onReadAnswer(answer);
      return;
    case Activity::Writing:
      onWriteAnswer(answer);
      return;
    case Activity::Service:
      onServiceAnswer(answer);
      return;
    case Activity::Idle:
      return;
  }
}

void Engine::onAuthAnswer(const Answer& answer) {
  state_.AuthPollDelay = 0;
  unansweredPolls_ = 0;
  constexpr std::size_t kInfoAt = 5;
  const auto info = answer.payload.size() > kInfoAt ? answer.payload.subspan(kInfoAt)
                                                    : std::span<const std::uint8_t>{};
  DecodeDeviceInfo(info, controls_, state_.SettingsLoaded);
  if (answer.payload.size() > 1 && answer.payload[1] == 0) {
    // The code was refused: the tracker answers nothing else until the right
    // one is given, so nothing is enabled and the poll stops.
    identified_ = false;
    endOperation();
    window_.setPanelText(0, "Auth Code Error");
    notice("Auth Code Error!\nType the tracker's code into \"Auth Code\": it is tried at once.");
    return;
  }
  identified_ = true;
  lostPort_.clear();
  window_.setPanelText(0, "Connected");
  run(OperationOf(OperationId::Identify));
}

void Engine::onWriteAnswer(const Answer& answer) {
  request_.acknowledged = true;  // refused or not, the tracker answered: no resend
  const bool wifi = state_.current().command == CmdWriteWifi;
  const std::optional<std::uint8_t> result =
      wifi ? FirstByte(answer) : std::optional(AsAcknowledgement(answer)->result);
  if (result != kAckOk) return;
  advance();
}

void Engine::onReadAnswer(const Answer& answer) {
  const Step& step = state_.current();
  if (step.command == CmdRfidCheck) {
    keepIdentifiers(answer);  // the copy before an RFID change
    advance();
    return;
  }
  const bool wifi = step.command == CmdReadWifi;
  if (decodeStep(step, wifi ? answer.payload : AsBlockAnswer(answer)->data) != DecodeResult::Ok) {
    // A short answer changed nothing. Firmware without WiFi answers the list
    // short or empty: the list was not read, as if unanswered.
    if (wifi) {
      unanswered();
    } else {
      readError();
    }
    return;
  }
  if (wifi && !step.continues) window_.setTabNote(kWifiTab, "");
  advance();
}

void Engine::advance() {
  // The step's group is complete unless the step is its first range.
  const Step& step = state_.current();
  if (!step.continues && step.group) {
    const std::string caption(SpecOf(*step.group).caption);
    setPanel((step.writes() ? "Write " : "Read ") + caption + " OK");
  }
  proceed();
}

void Engine::proceed() {
  // The next step of the same phase, or the phase ends here.
  const Step& step = state_.current();
  const std::size_t next = state_.step + 1;
  if (next < state_.plan.size() && state_.plan[next].writes() == step.writes() &&
      state_.plan[next].copy == step.copy) {
    state_.step = next;
    sendStep();
    return;
  }
  endPhase();
}

void Engine::unanswered() {
  // An optional step that got no answer: go on after its group, and name the
  // omission at the end. Any other step without an answer ends the operation.
  if (state_.activity == Activity::Idle) return;
  const Step& step = state_.current();
  if (!step.optional) {
    timedOut();
    endOperation();
    return;
  }
  if (state_.activity == Activity::Identifying) {
    endOperation();  // the identifier is read by the way; its silence is no error
    return;
  }
  if (!step.copy) {
    wifiSkipped_ = true;
    if (step.reads()) window_.setTabNote(kWifiTab, "not read from this tracker");
  }
  while (state_.step + 1 < state_.plan.size() && state_.plan[state_.step + 1].group == step.group) {
    ++state_.step;
  }
  proceed();
}

void Engine::endPhase() {
  const Step& last = state_.current();
  if (last.copy) {
    endCopy();  // the operation's own steps follow
    return;
  }
  const bool writing = last.writes();
  const std::string verb = writing ? "Write" : "Read";
  std::string box;
  if (state_.operation->all) {
    setPanel(verb + " All OK");
    box = !wifiSkipped_ ? verb + " All Completed!"
          : writing     ? "Write All Completed, but the WiFi list was not written (no answer)."
                        : "Read All Completed, but the WiFi list was not read (no answer).";
  } else {
    box = verb + " " + std::string(SpecOf(*last.group).caption) + " Completed!";
  }
  if (writing && state_.step + 1 < state_.plan.size()) {
    startVerify(box);  // the read-back follows
    return;
  }
  finish(box);
}

void Engine::readError() {
  setPanel("Read Error!");
  finish("Read Error!");
}

void Engine::onDeviceId(const BlockAnswer& answer) {
  // Digits from the data onward, at most the echoed length, never past the frame.
  std::string id;
  for (const std::uint8_t byte : answer.data) {
    const auto ch = static_cast<char>(byte);
    if (id.size() >= answer.echo.length || ch < '0' || ch > '9') break;
    id.push_back(ch);
  }
  controls_.setText("DeviceID", id);
  endOperation();
}

void Engine::onServiceAnswer(const Answer& answer) {
  if (service_ == nullptr) return;
  const int result = answer.payload.empty() ? kAnyResult : answer.payload[0];
  for (const ServiceAnswer& row : service_->answers) {
    if (row.box.empty()) break;
    if (row.result != kAnyResult && row.result != result) continue;
    if (row.listsIdentifiers) {
      // The whole payload is the list of identifiers the tracker holds.
      controls_.setText("RFID_Memo", FromLatin1(answer.payload.data(), answer.payload.size()));
    }
    setPanel(row.panel);
    const bool poll = service_->pollAfter;
    const bool reread = service_->readAllAfter && behaviour.readAfterDefault;
    finish(row.box);
    if (poll) state_.AuthPollDelay = kAuthPollTicks;
    // The tabs must not show the values the reset replaced as if they were current.
    if (reread) run(OperationOf(OperationId::ReadAll));
    return;
  }
}

}  // namespace tracker
