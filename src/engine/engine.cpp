#include "engine/engine.h"

#include <algorithm>
#include <exception>
#include <map>

#include "engine/engine_steps.h"
#include "protocol/block_map.h"
#include "protocol/commands.h"
#include "protocol/payloads.h"

namespace tracker {
namespace {

// Write steps of each single group write, and of "Write All" (DLT added when shown).
constexpr std::uint8_t kWriteAllSteps[] = {0, 1, 2, 3, 4, kWifiWriteStep, 5, 6, 7};
constexpr std::uint8_t kMainSteps[] = {1, 2};

std::size_t preparedIndex(std::uint8_t step) {
  return step;
}

}  // namespace

Engine::Engine(Controls& controls, Window& window, CommPort& port)
    : controls_(controls),
      window_(window),
      port_(port),
      context_(std::make_unique<ProtocolContext>(&port)) {}

Engine::~Engine() = default;

void Engine::guarded(const std::function<void()>& handler) {
  ++guardDepth_;
  std::string error;
  try {
    handler();
  } catch (const std::exception& e) {
    error = e.what();
  } catch (...) {
    error = "Unexpected error";
  }
  --guardDepth_;
  if (guardDepth_ > 0) {
    if (!error.empty()) window_.showError(error);
    return;
  }
  flushNotices();
  if (!error.empty()) window_.showError(error);
}

void Engine::notice(std::string_view text) {
  pendingNotices_.emplace_back(text);
  if (guardDepth_ == 0) flushNotices();
}

void Engine::flushNotices() {
  // Boxes may run a nested event loop: take the queue first so that a tick or
  // delivery inside a box starts with an empty one.
  std::vector<std::string> notices;
  notices.swap(pendingNotices_);
  for (const std::string& text : notices) {
    window_.showNotice(text);
    if (onNotice) onNotice(text);
  }
}

void Engine::setPanel(std::string_view text) {
  window_.setPanelText(1, text);
}

void Engine::finish(std::string_view box) {
  state_.ReplyTimeout = 0;
  state_.Operation = OpIdle;
  notice(box);
}

void Engine::send(std::uint8_t command) {
  context_->SendFrame(command);
  gathering_ = false;  // an answer to an earlier request is no longer awaited
}

void Engine::prepareWrites(std::span<const std::uint8_t> steps) {
  // Encode every payload before anything is sent, so a bad field stops the
  // whole write and the tracker is never left half-written.
  std::array<std::vector<std::uint8_t>, 10> prepared;
  for (const std::uint8_t step : steps) {
    EncodeGroup(FindWriteStep(step)->group, *context_, controls_);
    const auto payload = context_->payload();
    prepared[preparedIndex(step)].assign(payload.begin(), payload.end());
  }
  for (const std::uint8_t step : steps) {
    prepared_[preparedIndex(step)] = std::move(prepared[preparedIndex(step)]);
  }
}

void Engine::sendPrepared(std::uint8_t writeStep) {
  const std::vector<std::uint8_t>& payload = prepared_[preparedIndex(writeStep)];
  context_->clearPayload();
  context_->append(payload);
  send(writeStep == kWifiWriteStep ? CmdWriteWifi : CmdWriteBlock);
  state_.WriteStep = writeStep;
  state_.Operation = writeStep == kWifiWriteStep ? OpWriteWifi : OpWrite;
}

void Engine::startWrite(std::uint8_t step, bool all, std::string_view panel) {
  sendPrepared(step);
  state_.ReplyTimeout = 5;
  state_.WriteAllActive = all;
  setPanel(panel);
}

void Engine::sendReadStep(std::uint8_t step, std::uint8_t timeout) {
  const ReadStepRow* row = FindReadStep(step);
  const bool wifi = step == kWifiReadStep1 || step == kWifiReadStep2;
  if (wifi) {
    BuildWifiReadPayload(*context_, static_cast<std::uint8_t>(row->request.offset),
                         static_cast<std::uint8_t>(row->request.length));
  } else {
    BuildReadRequest(*context_, row->request);
  }
  send(wifi ? CmdReadWifi : CmdReadBlock);
  state_.Operation = wifi ? OpReadWifi : OpRead;
  state_.ReadStep = step;
  state_.ReplyTimeout = timeout;
}

void Engine::startRead(std::uint8_t step, bool all, std::string_view panel) {
  sendReadStep(step, 5);
  state_.ReadAllActive = all;
  setPanel(panel);
}

void Engine::startService(std::uint8_t command, std::uint8_t operation, std::uint8_t timeout,
                          std::string_view panel) {
  send(command);
  state_.Operation = operation;
  state_.ReplyTimeout = timeout;
  setPanel(panel);
}

void Engine::ReadAllClick() {
  startRead(0, true, "Reading All...");
}

void Engine::WriteAllClick() {
  std::vector<std::uint8_t> steps(std::begin(kWriteAllSteps), std::end(kWriteAllSteps));
  if (window_.dltTabShown()) steps.push_back(kDltStep);
  prepareWrites(steps);
  startWrite(0, true, "Writing All...");
}

void Engine::GPRSReadClick() {
  startRead(0, false, "Reading GPRS...");
}
void Engine::MainSetReadClick() {
  startRead(1, false, "Reading Main...");
}
void Engine::InterfaceReadClick() {
  startRead(3, false, "Reading Interface...");
}
void Engine::Temp_ReadClick() {
  startRead(4, false, "Reading Temp...");
}
void Engine::WIFI_ReadClick() {
  startRead(kWifiReadStep1, false, "Reading WIFI...");
}
void Engine::SMSReadClick() {
  startRead(5, false, "Reading Auth...");
}
void Engine::GEOFenceReadClick() {
  startRead(6, false, "Reading GEO...");
}
void Engine::EventReadClick() {
  startRead(7, false, "Reading Event...");
}
void Engine::DLTReadClick() {
  startRead(kDltStep, false, "Reading DLT...");
}

void Engine::GPRSWriteClick() {
  prepareWrites(std::initializer_list<std::uint8_t>{0});
  startWrite(0, false, "Writing GPRS...");
}

void Engine::MainSetWriteClick() {
  prepareWrites(kMainSteps);
  startWrite(1, false, "Writing Main...");
}

void Engine::InterfaceWriteClick() {
  prepareWrites(std::initializer_list<std::uint8_t>{3});
  startWrite(3, false, "Writing Interface...");
}

void Engine::Temp_WriteClick() {
  prepareWrites(std::initializer_list<std::uint8_t>{4});
  startWrite(4, false, "Writing Temp...");
}

void Engine::WIFI_WriteClick() {
  prepareWrites(std::initializer_list<std::uint8_t>{kWifiWriteStep});
  startWrite(kWifiWriteStep, false, "Writing WIFI...");
}

void Engine::SMSWriteClick() {
  prepareWrites(std::initializer_list<std::uint8_t>{5});
  startWrite(5, false, "Writing Auth...");
}

void Engine::GEOWriteClick() {
  prepareWrites(std::initializer_list<std::uint8_t>{6});
  startWrite(6, false, "Writing GEO...");
}

void Engine::EventWriteClick() {
  prepareWrites(std::initializer_list<std::uint8_t>{7});
  startWrite(7, false, "Writing Event...");
}

void Engine::DLTWriteClick() {
  prepareWrites(std::initializer_list<std::uint8_t>{kDltStep});
  startWrite(kDltStep, false, "Writing DLT...");
}

void Engine::InitAllClick() {
  BuildEmptyPayload(*context_);
  startService(CmdDefault, OpDefault, 10, "Defaulting...");
}

void Engine::ClearGPRS1Click() {
  BuildEmptyPayload(*context_);
  startService(CmdClearGprs1, OpClearGprs1, 5, "Clear GPRS-1...");
}

void Engine::ClearGPRS2Click() {
  BuildEmptyPayload(*context_);
  startService(CmdClearGprs2, OpClearGprs2, 5, "Clear GPRS-2...");
}

void Engine::ClearSMSClick() {
  BuildEmptyPayload(*context_);
  startService(CmdClearSms, OpClearSms, 5, "Clear SMS...");
}

void Engine::ClearGPSLogClick() {
  BuildEmptyPayload(*context_);
  startService(CmdClearGpsLog, OpClearGpsLog, 5, "Clear GPS Log...");
}

void Engine::SetMileageClick() {
  BuildMileagePayload(*context_, controls_);
  startService(CmdSetMileage, OpSetMileage, 5, "Set Mileage...");
}

void Engine::SET_IDClick() {
  BuildMemoPayload(*context_, controls_);
  startService(CmdAuthId, OpAuthId, 10, "Auth ID...");
}

void Engine::DEL_IDClick() {
  BuildMemoPayload(*context_, controls_);
  startService(CmdDeleteId, OpDeleteId, 10, "Deleting ID...");
}

void Engine::CHK_IDClick() {
  BuildMemoPayload(*context_, controls_);
  startService(CmdCheckId, OpCheckId, 5, "Check ID...");
}

void Engine::ClearCodeClick() {
  BuildEmptyPayload(*context_);
  startService(CmdClearAuthCode, OpClearAuthCode, 5, "Clear Auth Code...");
}

void Engine::Temp_PairClick() {
  const bool indexEmpty = controls_.text("Temp_Index").empty();
  const bool nameEmpty = controls_.text("Temp_Name").empty();
  if (indexEmpty || nameEmpty) {
    const char* question =
        indexEmpty ? "Really Delete All Temperatures?" : "Really Delete Temperature?";
    if (!window_.askYesNo(question)) return;
  }
  BuildTempSensorPayload(*context_, controls_);
  startService(CmdTempPair, OpTempPair, 5,
               indexEmpty || nameEmpty ? "Temperature Deleting..." : "Temperature Pairing...");
}

bool Engine::click(std::string_view control) {
  using Handler = void (Engine::*)();
  static const std::map<std::string_view, Handler> kHandlers = {
      {"ReadAll", &Engine::ReadAllClick},
      {"WriteAll", &Engine::WriteAllClick},
      {"InitAll", &Engine::InitAllClick},
      {"ClearCode", &Engine::ClearCodeClick},
      {"GPRSRead", &Engine::GPRSReadClick},
      {"GPRSWrite", &Engine::GPRSWriteClick},
      {"SMSRead", &Engine::SMSReadClick},
      {"SMSWrite", &Engine::SMSWriteClick},
      {"GEOFenceRead", &Engine::GEOFenceReadClick},
      {"GEOFenceWrite", &Engine::GEOWriteClick},
      {"MainRead", &Engine::MainSetReadClick},
      {"MainWrite", &Engine::MainSetWriteClick},
      {"EventRead", &Engine::EventReadClick},
      {"EventWrite", &Engine::EventWriteClick},
      {"InterfaceRead", &Engine::InterfaceReadClick},
      {"InterfaceWrite", &Engine::InterfaceWriteClick},
      {"Temp_Read", &Engine::Temp_ReadClick},
      {"Temp_Write", &Engine::Temp_WriteClick},
      {"Temp_Pair", &Engine::Temp_PairClick},
      {"WIFI_Read", &Engine::WIFI_ReadClick},
      {"WIFI_Write", &Engine::WIFI_WriteClick},
      {"DLTRead", &Engine::DLTReadClick},
      {"DLTWrite", &Engine::DLTWriteClick},
      {"SET_ID", &Engine::SET_IDClick},
      {"DEL_ID", &Engine::DEL_IDClick},
      {"CHK_ID", &Engine::CHK_IDClick},
      {"ClearGPRS1", &Engine::ClearGPRS1Click},
      {"ClearGPRS2", &Engine::ClearGPRS2Click},
      {"ClearSMS", &Engine::ClearSMSClick},
      {"ClearGPSLog", &Engine::ClearGPSLogClick},
      {"SetMileage", &Engine::SetMileageClick},
      {"OpenPort", &Engine::OpenPortClick},
  };
  const auto it = kHandlers.find(control);
  if (it == kHandlers.end()) return false;
  guarded([this, handler = it->second] { (this->*handler)(); });
  return true;
}

}  // namespace tracker
