// Comm1ReceiveData: gathers deliveries, finds the answer frames in them and
// acts on each according to the operation in progress.

#include <algorithm>
#include <string_view>

#include "base/latin1.h"
#include "codec/device_info.h"
#include "codec/read_requests.h"
#include "engine/engine.h"
#include "engine/engine_services.h"
#include "engine/engine_steps.h"
#include "protocol/commands.h"
#include "protocol/frame_scanner.h"

namespace tracker {
namespace {

constexpr std::string_view kModel = "Model";

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
    rest = rest.subspan(AppendReceived(*context_, rest));
    acted = actOnGathered() || acted;
  }
  if (!acted && containsModel(bytes)) state_.AuthPollDelay = kAuthPollTicks;
}

bool Engine::actOnGathered() {
  // Acts on each valid frame in turn until one leads to a new request, which
  // drops the rest; keeps only the bytes that may still begin a frame.
  ProtocolContext& c = *context_;
  bool acted = false;
  for (;;) {
    const FrameScan scan = ScanFrames(c.received());
    if (!scan.found()) {
      // A broken frame whose command is the one asked for is a broken answer.
      const bool broken =
          scan.rejected != kNoFrame && c.ReceiveBuffer[scan.rejected + 4] == request_.command;
      DropReceived(c, scan.keep);
      if (broken) retryAfterBadFrame();
      return acted;
    }
    acted = true;
    c.FrameLength = scan.length;
    const std::uint32_t requests = newRequests_;
    try {
      actOnFrame(ParseAnswer(c, scan.header + 4));
    } catch (...) {
      c.ReceiveLength = 0;  // the frame that failed must not be acted on again
      throw;
    }
    if (newRequests_ != requests) return true;
    DropReceived(c, scan.end());
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
  if (state_.Operation == OpIdle) {
    if (answer.command == CmdAuthorise) onAuthAnswer(answer);
    return;
  }
  if (!answersRequest(answer)) return;
  switch (state_.Operation) {
    case OpWrite:
      onWriteAnswer(answer);
      return;
    case OpRead:
      onReadAnswer(answer);
      return;
    case OpWriteWifi:
      onWifiWriteAnswer(answer);
      return;
    case OpReadWifi:
      onWifiReadAnswer(answer);
      return;
    default:
      onServiceAnswer(answer);
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
  BuildReadRequest(*context_, ReqDeviceId);
  send(CmdReadBlock, ReqDeviceId);
  state_.Operation = OpRead;
  state_.ReadStep = kDeviceIdReadStep;
  state_.ReplyTimeout = 5;
  state_.ReadAllActive = false;
  state_.Identifying = true;
}

void Engine::onWriteAnswer(const Answer& answer) {
  request_.acknowledged = true;  // refused or not, the tracker answered: no resend
  const WriteStepRow* row = FindWriteStep(state_.WriteStep);
  if (row == nullptr || AsAcknowledgement(answer)->result != kAckOk) return;
  advanceWrite(*row);
}

void Engine::onWifiWriteAnswer(const Answer& answer) {
  request_.acknowledged = true;
  if (FirstByte(answer) != kAckOk) return;
  advanceWrite(WriteStepOf(Group::Wifi));
}

void Engine::advanceWrite(const WriteStepRow& row) {
  const StepTexts texts = WriteTexts(row);
  if (!texts.ok.empty()) setPanel(texts.ok);
  const bool dlt = window_.dltTabShown();
  if (row.continues) {  // the first half of Main always goes on
    sendPrepared(*NextWriteStep(row, dlt));
    state_.ReplyTimeout = 5;
    return;
  }
  if (!state_.WriteAllActive) {
    finish(texts.done);
    return;
  }
  const WriteStepRow* next = NextWriteStep(row, dlt);
  while (next != nullptr && std::ranges::count(leftOut_, next->group) > 0) {
    next = NextWriteStep(*next, dlt);
  }
  if (next == nullptr) {
    setPanel("Write All OK");
    finish(wifiSkipped_ ? "Write All Completed, but the WiFi list was not written (no answer)."
                        : "Write All Completed!");
    return;
  }
  sendPrepared(*next);
  state_.ReplyTimeout = next->allTimeout;
}

void Engine::onReadAnswer(const Answer& answer) {
  const auto block = AsBlockAnswer(answer);
  if (state_.ReadStep == kDeviceIdReadStep) {
    onDeviceId(*block);
    return;
  }
  const ReadStepRow* row = FindReadStep(state_.ReadStep);
  if (row != nullptr) decodeAndAdvance(*row, block->data);
}

void Engine::onWifiReadAnswer(const Answer& answer) {
  const ReadStepRow* row = FindReadStep(state_.ReadStep);
  if (row == nullptr) return;
  if (decodeStep(*row, answer.payload) != DecodeResult::Ok) {
    // Firmware without WiFi answers short or empty: the list was not read.
    wifiUnanswered();
    return;
  }
  if (!row->continues) window_.setTabNote(kWifiTab, "");
  advanceRead(*row);
}

void Engine::decodeAndAdvance(const ReadStepRow& row, std::span<const std::uint8_t> data) {
  if (decodeStep(row, data) != DecodeResult::Ok) {
    readError();  // a short answer changed nothing
    return;
  }
  advanceRead(row);
}

void Engine::advanceRead(const ReadStepRow& row) {
  const StepTexts texts = ReadTexts(row);
  if (!texts.ok.empty()) setPanel(texts.ok);
  const bool dlt = window_.dltTabShown();
  if (row.continues) {  // first halves (Main A, WiFi 1-16) always go on
    const ReadStepRow* next = NextReadStep(row, dlt);
    sendReadStep(*next, next->allTimeout);
    return;
  }
  if (!state_.ReadAllActive) {
    finish(texts.done);
    return;
  }
  const ReadStepRow* next = NextReadStep(row, dlt);
  if (next == nullptr) {
    setPanel("Read All OK");
    finish(wifiSkipped_ ? "Read All Completed, but the WiFi list was not read (no answer)."
                        : "Read All Completed!");
    return;
  }
  sendReadStep(*next, next->allTimeout);
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
  state_.ReplyTimeout = 0;
  state_.Operation = OpIdle;
  state_.Identifying = false;
}

void Engine::onServiceAnswer(const Answer& answer) {
  if (service_ == nullptr) return;
  const int result = answer.payload.empty() ? kAnyResult : answer.payload[0];
  for (const ServiceAnswer& row : service_->answers) {
    if (row.box.empty()) break;
    if (row.result != kAnyResult && row.result != result) continue;
    if (service_->operation == OpCheckId && row.result == kAnyResult) {
      // The whole payload is the list of identifiers the tracker holds.
      controls_.setText("RFID_Memo", FromLatin1(answer.payload.data(), answer.payload.size()));
    }
    setPanel(row.panel);
    const bool poll = service_->pollAfter;
    const bool defaulted = service_->operation == OpDefault && row.result == 1;
    finish(row.box);
    if (poll) state_.AuthPollDelay = kAuthPollTicks;
    // The tabs must not show the values the reset replaced as if they were current.
    if (defaulted && behaviour.readAfterDefault) ReadAllClick();
    return;
  }
}

}  // namespace tracker
