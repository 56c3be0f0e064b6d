#include "engine/engine.h"

#include <algorithm>
#include <exception>
#include <map>
#include <optional>

#include "base/field_error.h"
#include "engine/engine_services.h"
#include "engine/engine_steps.h"
#include "protocol/commands.h"
#include "protocol/payloads.h"

namespace tracker {
namespace {

// The groups of "Write All" (DLT added when its tab is shown) and of the Main write.
constexpr Group kWriteAllGroups[] = {Group::Gprs,      Group::MainA,       Group::MainB,
                                     Group::Interface, Group::Temperature, Group::Wifi,
                                     Group::Auth,      Group::Geo,         Group::Event};
constexpr Group kMainGroups[] = {Group::MainA, Group::MainB};

std::size_t preparedIndex(Group group) {
  return static_cast<std::size_t>(group);
}

constexpr std::string_view kOpenPort = "OpenPort";

using Handler = void (Engine::*)();

// The buttons by control name; every one but the port button sends a request.
const std::map<std::string_view, Handler>& handlers() {
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
  return kHandlers;
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
  std::optional<EFieldError> fieldError;
  try {
    handler();
  } catch (const EFieldError& e) {
    // A value refused for a known field is named by the window.
    if (e.control().empty()) error = e.what();
    if (!e.control().empty()) fieldError = e;
  } catch (const std::exception& e) {
    error = e.what();
  } catch (...) {
    error = "Unexpected error";
  }
  --guardDepth_;
  if (guardDepth_ == 0) {
    updateButtons();
    flushNotices();
  }
  if (fieldError) window_.showFieldError(fieldError->control(), fieldError->problem());
  if (!error.empty()) window_.showError(error);
  if (onSettled) onSettled();
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
  if (onStatus) onStatus(text);
}

void Engine::finish(std::string_view box) {
  std::string text(box);
  if (continueReadBack(text)) return;  // a write's read-back follows it
  endOperation();
  notice(text);
}

void Engine::endOperation() {
  readBackCutShort();
  state_.ReplyTimeout = 0;
  state_.Operation = OpIdle;
  state_.WriteAllActive = false;
  state_.ReadAllActive = false;
  state_.Identifying = false;
  service_ = nullptr;
}

void Engine::send(std::uint8_t command, BlockRange range) {
  context_->SendFrame(command);
  // Repeating the request in flight (the authorisation poll, a retry) keeps
  // what has arrived of its answer; a new request drops it.
  if (command != request_.command || range != request_.range) {
    context_->ReceiveLength = 0;
    ++newRequests_;
  }
  request_ = {.command = command, .range = range};
}

void Engine::prepareWrites(std::span<const Group> groups) {
  // Encode every payload before anything is sent, so a bad field stops the
  // whole write and the tracker is never left half-written.
  std::array<std::vector<std::uint8_t>, 10> prepared;
  for (const Group group : groups) {
    Encode(group, *context_, controls_);
    const auto payload = context_->payload();
    prepared[preparedIndex(group)].assign(payload.begin(), payload.end());
  }
  for (const Group group : groups) {
    prepared_[preparedIndex(group)] = std::move(prepared[preparedIndex(group)]);
  }
}

void Engine::sendPrepared(const WriteStepRow& row) {
  const std::vector<std::uint8_t>& payload = prepared_[preparedIndex(row.group)];
  const GroupSpec& spec = SpecOf(row.group);
  context_->clearPayload();
  context_->append(payload);
  send(spec.blockHeader ? CmdWriteBlock : CmdWriteWifi, spec.write);
  state_.WriteStep = row.step;
  state_.Operation = spec.blockHeader ? OpWrite : OpWriteWifi;
}

void Engine::startWrite(Group group, bool all, std::string_view panel) {
  wifiSkipped_ = false;
  readBack_.firstWritten = group;
  readBack_.writeAll = all;
  sendPrepared(WriteStepOf(group));
  state_.ReplyTimeout = 5;
  state_.WriteAllActive = all;
  setPanel(panel);
}

void Engine::sendReadStep(const ReadStepRow& row, std::uint8_t timeout) {
  const BlockRange request = ReadRequestOf(row);
  const bool wifi = row.group == Group::Wifi;
  if (wifi) {
    BuildWifiReadPayload(*context_, static_cast<std::uint8_t>(request.offset),
                         static_cast<std::uint8_t>(request.length));
  } else {
    BuildReadRequest(*context_, request);
  }
  send(wifi ? CmdReadWifi : CmdReadBlock, request);
  state_.Operation = wifi ? OpReadWifi : OpRead;
  state_.ReadStep = row.step;
  state_.ReplyTimeout = timeout;
}

void Engine::startRead(Group group, bool all, std::string_view panel) {
  wifiSkipped_ = false;
  readBack_.purpose = ReadBackPurpose::None;  // into the window unless a read-back says otherwise
  sendReadStep(ReadStepOf(group), 5);
  state_.ReadAllActive = all;
  setPanel(panel);
}

void Engine::startService(const ServiceSpec& spec) {
  if (!spec.confirm.empty() && !window_.askYesNo(spec.confirm)) return;
  spec.build(*context_, controls_);
  send(spec.command);
  service_ = &spec;
  state_.Operation = spec.operation;
  state_.ReplyTimeout = spec.timeout;
  setPanel(spec.starting);
}

void Engine::ReadAllClick() {
  startRead(Group::Gprs, true, "Reading All...");
}

void Engine::WriteAllClick() {
  std::vector<Group> groups(std::begin(kWriteAllGroups), std::end(kWriteAllGroups));
  if (window_.dltTabShown()) groups.push_back(Group::Dlt);
  std::erase_if(groups, [this](Group g) { return std::ranges::count(leftOut_, g) > 0; });
  prepareWrites(groups);
  startWrite(Group::Gprs, true, "Writing All...");
}

void Engine::GPRSReadClick() {
  startRead(Group::Gprs, false, "Reading GPRS...");
}
void Engine::MainSetReadClick() {
  startRead(Group::MainA, false, "Reading Main...");
}
void Engine::InterfaceReadClick() {
  startRead(Group::Interface, false, "Reading Interface...");
}
void Engine::Temp_ReadClick() {
  startRead(Group::Temperature, false, "Reading Temp...");
}
void Engine::WIFI_ReadClick() {
  startRead(Group::Wifi, false, "Reading WIFI...");
}
void Engine::SMSReadClick() {
  startRead(Group::Auth, false, "Reading Auth...");
}
void Engine::GEOFenceReadClick() {
  startRead(Group::Geo, false, "Reading GEO...");
}
void Engine::EventReadClick() {
  startRead(Group::Event, false, "Reading Event...");
}
void Engine::DLTReadClick() {
  startRead(Group::Dlt, false, "Reading DLT...");
}

void Engine::writeGroup(Group group, std::string_view panel) {
  const Group groups[] = {group};
  prepareWrites(groups);
  startWrite(group, false, panel);
}

void Engine::GPRSWriteClick() {
  writeGroup(Group::Gprs, "Writing GPRS...");
}
void Engine::MainSetWriteClick() {
  prepareWrites(kMainGroups);
  startWrite(Group::MainA, false, "Writing Main...");
}
void Engine::InterfaceWriteClick() {
  writeGroup(Group::Interface, "Writing Interface...");
}
void Engine::Temp_WriteClick() {
  writeGroup(Group::Temperature, "Writing Temp...");
}
void Engine::WIFI_WriteClick() {
  writeGroup(Group::Wifi, "Writing WIFI...");
}
void Engine::SMSWriteClick() {
  writeGroup(Group::Auth, "Writing Auth...");
}
void Engine::GEOWriteClick() {
  writeGroup(Group::Geo, "Writing GEO...");
}
void Engine::EventWriteClick() {
  writeGroup(Group::Event, "Writing Event...");
}
void Engine::DLTWriteClick() {
  writeGroup(Group::Dlt, "Writing DLT...");
}

void Engine::InitAllClick() {
  startService(*FindService("InitAll"));
}
void Engine::ClearGPRS1Click() {
  startService(*FindService("ClearGPRS1"));
}
void Engine::ClearGPRS2Click() {
  startService(*FindService("ClearGPRS2"));
}
void Engine::ClearSMSClick() {
  startService(*FindService("ClearSMS"));
}
void Engine::ClearGPSLogClick() {
  startService(*FindService("ClearGPSLog"));
}
void Engine::SetMileageClick() {
  startService(*FindService("SetMileage"));
}
void Engine::SET_IDClick() {
  startService(*FindService("SET_ID"));
}
void Engine::DEL_IDClick() {
  startService(*FindService("DEL_ID"));
}
void Engine::CHK_IDClick() {
  startService(*FindService("CHK_ID"));
}
void Engine::ClearCodeClick() {
  startService(*FindService("ClearCode"));
}

void Engine::Temp_PairClick() {
  const bool indexEmpty = controls_.text("Temp_Index").empty();
  const bool nameEmpty = controls_.text("Temp_Name").empty();
  if (indexEmpty || nameEmpty) {
    const char* question =
        indexEmpty ? "Really Delete All Temperatures?" : "Really Delete Temperature?";
    if (!window_.askYesNo(question)) return;
  }
  startService(TempPairService(indexEmpty || nameEmpty));
}

bool Engine::click(std::string_view control) {
  const auto it = handlers().find(control);
  if (it == handlers().end()) return false;
  // One operation at a time: only the port button acts while one runs.
  if (busy() && control != kOpenPort) return true;
  if (onClick) onClick(control);
  guarded([this, handler = it->second] { (this->*handler)(); });
  return true;
}

void Engine::updateButtons() {
  const bool ready = state_.PortOpened && identified_ && !busy();
  if (buttonsReady_ == ready) return;
  buttonsReady_ = ready;
  for (const auto& [name, handler] : handlers()) {
    if (name != kOpenPort) controls_.setEnabled(name, ready);
  }
}

}  // namespace tracker
