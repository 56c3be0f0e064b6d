// Comm1ReceiveData: finds the answer frame in a delivery and acts on it
// according to the operation in progress.

#include <algorithm>
#include <string_view>

#include "base/latin1.h"
#include "engine/engine.h"
#include "engine/engine_steps.h"
#include "protocol/block_map.h"
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

struct ServiceRow {
  std::uint8_t operation;
  std::uint8_t command;
  int answer;  // payload byte 0 that is accepted; -1: any
  std::string_view panel;
  std::string_view box;
  bool poll;
};

constexpr ServiceRow kServiceRows[] = {
    {OpDefault, CmdDefault, 1, "Default OK", "Default Completed!", true},
    {OpClearSms, CmdClearSms, 1, "Clear SMS Buffer OK", "Clear SMS Buffer Completed!", true},
    {OpClearGprs1, CmdClearGprs1, 1, "Clear GPRS-1 Buffer OK", "Clear GPRS-1 Buffer Completed!",
     true},
    {OpClearGprs2, CmdClearGprs2, 1, "Clear GPRS-2 Buffer OK", "Clear GPRS-2 Buffer Completed!",
     true},
    {OpClearGpsLog, CmdClearGpsLog, 1, "Clear GPS Log OK", "Clear GPS Log Completed!", true},
    {OpSetMileage, CmdSetMileage, 1, "Set Mileaga OK", "Set Mileaga Completed!", true},
    {OpAuthId, CmdAuthId, 1, "Auth ID OK", "Auth ID Completed!", true},
    {OpAuthId, CmdAuthId, 2, "Auth ID Error", "Auth ID Error!", true},
    {OpAuthId, CmdAuthId, 4, "Under Authorization...", "Under Authorization...", true},
    {OpDeleteId, CmdDeleteId, 1, "Delete ID OK", "Delete ID Completed!", true},
    {OpDeleteId, CmdDeleteId, 2, "Delete ID Error", "Delete ID Error!", true},
    {OpDeleteId, CmdDeleteId, 5, "Deleting ID...", "Deleting ID...", true},
    {OpCheckId, CmdCheckId, 2, "Check ID Error", "Check ID Error!", true},
    {OpCheckId, CmdCheckId, -1, "Check ID OK", "Check ID Completed!", true},
    {OpClearAuthCode, CmdClearAuthCode, 1, "Clear Auth Code OK", "Clear Auth Code Completed!",
     false},
};

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
  window_.setPanelText(0, "Connected");
  actOnFrame(p);
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

void Engine::actOnFrame(std::size_t p) {
  switch (state_.Operation) {
    case OpIdle:
      if (context_->ReceiveBuffer[p] == CmdAuthorise) onAuthAnswer(p);
      return;
    case OpWrite:
      onWriteAnswer(p);
      return;
    case OpRead:
      onReadAnswer(p);
      return;
    case OpWriteWifi:
      onWifiWriteAnswer(p);
      return;
    case OpReadWifi:
      onWifiReadAnswer(p);
      return;
    default:
      onServiceAnswer(p);
      return;
  }
}

void Engine::onAuthAnswer(std::size_t p) {
  const auto& buffer = context_->ReceiveBuffer;
  state_.AuthPollDelay = 0;
  if (buffer[p + 2] == 0) {
    state_.ReplyTimeout = 0;
    state_.Operation = OpIdle;
    notice("Auth Code Error!");
  }
  DecodeDeviceInformation(*context_, controls_, p + 6, state_.SettingsLoaded);
  BuildReadRequest(*context_, ReqDeviceId);
  send(CmdReadBlock);
  state_.Operation = OpRead;
  state_.ReadStep = kDeviceIdReadStep;
  state_.ReplyTimeout = 5;
  state_.ReadAllActive = false;
  state_.Identifying = true;
}

void Engine::onWriteAnswer(std::size_t p) {
  const auto& buffer = context_->ReceiveBuffer;
  if (buffer[p] != CmdWriteBlock) {
    state_.ReplyTimeout = 0;
    state_.WriteAllActive = false;
    setPanel("Write Error!");
    notice("Write Error!");
    state_.Operation = OpIdle;
    return;
  }
  const WriteStepRow* row = FindWriteStep(state_.WriteStep);
  if (row == nullptr || row->step == kWifiWriteStep) return;
  if (buffer[p + 1] != row->block || buffer[p + 2] != 1) return;
  advanceWrite(row->step);
}

void Engine::onWifiWriteAnswer(std::size_t p) {
  const auto& buffer = context_->ReceiveBuffer;
  if (buffer[p] != CmdWriteWifi || buffer[p + 1] != 1) return;
  advanceWrite(kWifiWriteStep);
}

void Engine::advanceWrite(std::uint8_t step) {
  const WriteStepRow* row = FindWriteStep(step);
  if (!row->ok.empty()) setPanel(row->ok);
  const bool dlt = window_.dltTabShown();
  if (row->done.empty()) {  // the first half of Main always goes on
    sendPrepared(*NextWriteStep(step, dlt));
    state_.ReplyTimeout = 5;
    return;
  }
  if (!state_.WriteAllActive) {
    finish(row->done);
    return;
  }
  const auto next = NextWriteStep(step, dlt);
  if (!next) {
    state_.WriteAllActive = false;
    setPanel("Write All OK");
    finish("Write All Completed!");
    return;
  }
  sendPrepared(*next);
  state_.ReplyTimeout = *next == kWifiWriteStep ? 3 : 5;
}

void Engine::onReadAnswer(std::size_t p) {
  const auto& buffer = context_->ReceiveBuffer;
  if (buffer[p] != CmdReadBlock) {
    readError();
    return;
  }
  if (state_.ReadStep == kDeviceIdReadStep) {
    if (buffer[p + 1] == ReqDeviceId.block) onDeviceId(p);
    return;
  }
  const ReadStepRow* row = FindReadStep(state_.ReadStep);
  if (row == nullptr || row->request.block == 0 || buffer[p + 1] != row->request.block) return;
  decodeAndAdvance(*row, p + 2);
}

void Engine::onWifiReadAnswer(std::size_t p) {
  if (context_->ReceiveBuffer[p] != CmdReadWifi) return;
  const ReadStepRow* row = FindReadStep(state_.ReadStep);
  if (row != nullptr) decodeAndAdvance(*row, p + 1);
}

void Engine::decodeAndAdvance(const ReadStepRow& row, std::size_t position) {
  if (!DecodeGroup(row.group, *context_, controls_, position)) {
    readError();  // a short answer changed nothing
    return;
  }
  advanceRead(row.step);
}

void Engine::advanceRead(std::uint8_t step) {
  const ReadStepRow* row = FindReadStep(step);
  if (!row->ok.empty()) setPanel(row->ok);
  const bool dlt = window_.dltTabShown();
  if (row->done.empty()) {  // first halves (Main A, WiFi 1-16) always go on
    const std::uint8_t next = *NextReadStep(step, dlt);
    sendReadStep(next, step == kWifiReadStep1 ? 3 : 5);
    return;
  }
  if (!state_.ReadAllActive) {
    finish(row->done);
    return;
  }
  const auto next = NextReadStep(step, dlt);
  if (!next) {
    state_.ReadAllActive = false;
    setPanel("Read All OK");
    finish("Read All Completed!");
    return;
  }
  sendReadStep(*next, FindReadStep(*next)->allTimeout);
}

void Engine::readError() {
  state_.ReadAllActive = false;
  state_.ReplyTimeout = 0;
  setPanel("Read Error!");
  notice("Read Error!");
  state_.Operation = OpIdle;
}

void Engine::onDeviceId(std::size_t p) {
  const ProtocolContext& c = *context_;
  const std::size_t echoed = c.ReceiveBuffer[p + 4] * 256u + c.ReceiveBuffer[p + 5];
  // Digits from the data onward, never past the frame's payload.
  const std::size_t frameEnd = p + c.FrameLength;
  std::string id;
  for (std::size_t i = p + 6; i < frameEnd && id.size() < echoed; ++i) {
    const auto ch = static_cast<char>(c.ReceiveBuffer[i]);
    if (ch < '0' || ch > '9') break;
    id.push_back(ch);
  }
  controls_.setText("DeviceID", id);
  state_.ReplyTimeout = 0;
  state_.Operation = OpIdle;
  state_.Identifying = false;
}

bool Engine::tempDeleting() const {
  return controls_.text("Temp_Index").empty() || controls_.text("Temp_Name").empty();
}

bool Engine::onServiceAnswer(std::size_t p) {
  const ProtocolContext& c = *context_;
  const std::uint8_t command = c.ReceiveBuffer[p];
  const int a = c.ReceiveBuffer[p + 1];
  if (state_.Operation == OpTempPair) {
    if (command != CmdTempPair) return false;
    const bool deleting = tempDeleting();
    const bool failed = a == 2;
    setPanel(failed ? (deleting ? "Temperature Deleting Error" : "Temperature Pairing Error")
                    : (deleting ? "Temperature Deleting OK" : "Temperature Pairing OK"));
    finish(failed
               ? (deleting ? "Temperature Deleting Error!" : "Temperature Pairing Error!")
               : (deleting ? "Temperature Deleting Completed!" : "Temperature Pairing Completed!"));
    return true;
  }
  for (const ServiceRow& row : kServiceRows) {
    if (row.operation != state_.Operation || row.command != command) continue;
    if (row.answer >= 0 && row.answer != a) continue;
    if (row.operation == OpCheckId && row.answer < 0) {
      // The whole payload is the list of identifiers the tracker holds.
      const std::size_t count = c.FrameLength > 0 ? c.FrameLength - 1u : 0u;
      controls_.setText("RFID_Memo", FromLatin1(&c.ReceiveBuffer[p + 1], count));
    }
    setPanel(row.panel);
    finish(row.box);
    if (row.poll) state_.AuthPollDelay = kAuthPollTicks;
    return true;
  }
  return false;
}

}  // namespace tracker
