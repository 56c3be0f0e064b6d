// Comm1ReceiveData: finds the answer frame in a delivery and acts on it
// according to the operation in progress.

#include <algorithm>
#include <string_view>

#include "base/latin1.h"
#include "codec/device_info.h"
#include "codec/read_requests.h"
#include "engine/engine.h"
#include "engine/engine_services.h"
#include "engine/engine_steps.h"
#include "protocol/commands.h"

namespace tracker {
namespace {

constexpr std::string_view kModel = "Model";

bool containsModel(std::span<const std::uint8_t> bytes) {
  // More than five bytes are required, as the tracker's banner is longer.
  if (bytes.size() <= kModel.size()) return false;
  return std::search(bytes.begin(), bytes.end(), kModel.begin(), kModel.end()) != bytes.end();
}

// Position of the first 5A A5 header in the bytes, or npos.
std::size_t headerPosition(std::span<const std::uint8_t> bytes) {
  for (std::size_t p = 0; p + 1 < bytes.size(); ++p) {
    if (bytes[p] == 0x5A && bytes[p + 1] == 0xA5) return p;
  }
  return std::string_view::npos;
}

}  // namespace

void Engine::Comm1ReceiveData(std::span<const std::uint8_t> bytes) {
  gather(bytes);
  ProtocolContext& c = *context_;
  const std::size_t p = c.FindFrame(0);
  if (p < 4) {
    const auto received = c.received();
    const std::size_t header = headerPosition(received);
    const bool unfinished = header != std::string_view::npos &&
                            header + std::size_t{c.FrameLength} + 6 > received.size() &&
                            header + std::size_t{c.FrameLength} + 6 <= kBufferSize;
    gathering_ = unfinished;
    if (!unfinished && containsModel(received)) state_.AuthPollDelay = kAuthPollTicks;
    return;
  }
  gathering_ = false;
  actOnFrame(ParseAnswer(c, p));
}

void Engine::gather(std::span<const std::uint8_t> bytes) {
  ProtocolContext& c = *context_;
  // An answer longer than one delivery is gathered while its header announces
  // more bytes than have arrived; otherwise each delivery replaces the last.
  if (gathering_ && std::size_t{c.ReceiveLength} + bytes.size() <= kBufferSize) {
    std::copy(bytes.begin(), bytes.end(), c.ReceiveBuffer.begin() + c.ReceiveLength);
    c.ReceiveLength = static_cast<std::uint16_t>(c.ReceiveLength + bytes.size());
    return;
  }
  c.setReceived(bytes);
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
    notice("Auth Code Error!");
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
  const WriteStepRow* row = FindWriteStep(state_.WriteStep);
  if (row == nullptr || AsAcknowledgement(answer)->result != kAckOk) return;
  advanceWrite(*row);
}

void Engine::onWifiWriteAnswer(const Answer& answer) {
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
