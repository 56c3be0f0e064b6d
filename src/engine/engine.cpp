#include "engine/engine.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <utility>

#include "base/field_error.h"
#include "codec/payloads.h"
#include "engine/engine_services.h"
#include "protocol/commands.h"

namespace tracker {
namespace {

std::size_t preparedIndex(Group group) {
  return static_cast<std::size_t>(group);
}

constexpr std::string_view kOpenPort = "OpenPort";
constexpr std::string_view kCopying = "Keeping a copy...";

}  // namespace

Engine::Engine(Controls& controls, Window& window, CommPort& port)
    : controls_(controls), window_(window), port_(port) {}

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
    noteChanged();
  }
  if (fieldError) window_.showFieldError(fieldError->control(), fieldError->problem());
  if (!error.empty()) window_.showError(error);
  if (onSettled) onSettled();
}

void Engine::notice(std::string_view text) {
  lastNotice_ = text;
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
  if (state_.activity == Activity::Writing) groupsSynced(writtenGroups());
  if (state_.activity == Activity::Reading) text = endReadBack(text);
  endOperation();
  notice(text);
}

void Engine::endOperation() {
  readBackCutShort();
  state_.ReplyTimeout = 0;
  state_.activity = Activity::Idle;
  state_.operation = nullptr;
  state_.plan.clear();
  state_.step = 0;
  service_ = nullptr;
  if (changing_ != nullptr) changed_ = std::exchange(changing_, nullptr);
}

void Engine::send(std::uint8_t command, std::span<const std::uint8_t> payload, BlockRange range) {
  port_.SendData(EncodeFrame(command, payload));
  // Repeating the request in flight (the authorisation poll, a retry) keeps
  // what has arrived of its answer; a new request drops it.
  if (command != request_.command || range != request_.range) {
    received_.clear();
    ++newRequests_;
  }
  request_ = {.command = command, .range = range};
}

void Engine::sendStep() {
  const Step& step = state_.current();
  if (step.writes()) {
    send(step.command, prepared_[preparedIndex(*step.group)], step.range);
  } else if (step.command == CmdReadWifi) {
    send(step.command,
         WifiReadPayload(static_cast<std::uint8_t>(step.range.offset),
                         static_cast<std::uint8_t>(step.range.length)),
         step.range);
  } else if (step.reads()) {
    send(step.command, ReadRequest(step.range), step.range);
  } else {
    send(step.command, servicePayload_, step.range);
  }
  state_.ReplyTimeout = step.timeout;
}

void Engine::prepareWrites() {
  // Encode every payload before anything is sent, so a bad field stops the
  // whole write and the tracker is never left half-written.
  std::array<std::vector<std::uint8_t>, 10> prepared;
  for (const Step& step : state_.plan) {
    if (!step.writes()) continue;
    prepared[preparedIndex(*step.group)] = Encode(*step.group, controls_);
  }
  for (const Step& step : state_.plan) {
    if (step.writes())
      prepared_[preparedIndex(*step.group)] = std::move(prepared[preparedIndex(*step.group)]);
  }
}

void Engine::startPlan(const Operation& operation, Activity activity, std::string_view panel) {
  // Nothing to do (the DLT group while its tab is hidden): nothing starts.
  if (state_.plan.empty()) return;
  state_.operation = &operation;
  state_.activity = activity;
  state_.step = 0;
  sendStep();
  if (!panel.empty()) setPanel(panel);
}

void Engine::run(const Operation& operation) {
  const std::string_view question = QuestionOf(operation, controls_);
  if (!question.empty() && !window_.askYesNo(question)) return;
  std::vector<Step> plan = BuildPlan(operation, planContext());
  wifiSkipped_ = false;
  // The copy before comes first: the operation's own steps start after it.
  const bool copyFirst = !plan.empty() && plan.front().copy;
  switch (operation.kind) {
    case OperationKind::Write:
      state_.plan = std::move(plan);
      try {
        prepareWrites();
        startCopy(operation);
      } catch (...) {
        state_.plan.clear();
        throw;
      }
      startPlan(operation, copyFirst ? Activity::Reading : Activity::Writing,
                copyFirst ? kCopying : operation.starting);
      return;
    case OperationKind::Read:
      readBack_.purpose = operation.readBack;
      if (operation.readBack != ReadBackPurpose::None) {
        readBack_.tracker = std::make_unique<MemoryControls>();
        readBack_.decoded.clear();
      }
      state_.plan = std::move(plan);
      startPlan(operation, Activity::Reading, operation.starting);
      return;
    case OperationKind::Service: {
      const ServiceSpec& spec = ServiceFor(operation, controls_);
      servicePayload_ = spec.build(controls_);
      startCopy(operation);
      state_.plan = std::move(plan);
      service_ = &spec;
      startPlan(operation, copyFirst ? Activity::Reading : Activity::Service,
                copyFirst ? kCopying : spec.starting);
      return;
    }
    case OperationKind::Identification:
      state_.plan = std::move(plan);
      startPlan(operation, Activity::Identifying, {});
      return;
  }
}

void Engine::start(OperationId id) {
  // One operation at a time.
  if (busy()) return;
  if (onStart) onStart(id);
  guarded([this, id] { run(OperationOf(id)); });
}

bool Engine::click(std::string_view control) {
  if (control == kOpenPort) {
    guarded([this] { OpenPortClick(); });
    return true;
  }
  const Operation* operation = FindOperation(control);
  if (operation == nullptr) return false;
  start(operation->id);
  return true;
}

void Engine::updateButtons() {
  const bool ready = state_.PortOpened && identified_ && !busy();
  if (buttonsReady_ == ready) return;
  buttonsReady_ = ready;
  for (const Operation& operation : Operations()) {
    if (!operation.button.empty()) controls_.setEnabled(operation.button, ready);
  }
}

}  // namespace tracker
