#include "app/cli/tracker_session.h"

#include <cstdlib>
#include <string_view>

#include "engine/field_compare.h"
#include "serial/port_enumerator.h"

namespace tracker::cli {
namespace {

constexpr std::string_view kCompleted = "Completed!";
constexpr std::string_view kAuthRefused = "Auth Code Error!";

// Diagnostics: TRACKER_EARLY_END=off ends every delivery by the read interval
// alone, so that scripts/benchmark-cli.sh can show what the early end gains.
bool EarlyEndOff() {
  const char* value = std::getenv("TRACKER_EARLY_END");
  return value != nullptr && std::string_view(value) == "off";
}

}  // namespace

TrackerSession::TrackerSession(ConsoleWindow& window, bool trace)
    : window_(window),
      comm_(queue_.poster()),
      port_(comm_),
      meter_(port_, window.out(), trace),
      engine_(controls_, window_, meter_),
      loop_(engine_, queue_) {
  comm_.applyComm1Values();
  if (EarlyEndOff()) comm_.SetCompletenessTest({});
  comm_.OnReceiveData = [this](TComm&, const std::uint8_t* bytes, std::uint16_t length) {
    onDelivery(bytes, length);
  };
  comm_.OnRequestHangup = [this](TComm&) {
    engine_.guarded([this] { engine_.Comm1RequestHangup(); });
  };
  engine_.onStatus = [this](std::string_view text) { meter_.tap().log().status(text); };
  meter_.tap().onProgress = [this] {
    if (onProgress) onProgress(meter_.tap().progress().current());
  };
  // No Tracker.ini: the command line names its settings file itself.
  engine_.guarded([this] { engine_.FormCreate(FixedPortEnumerator({}), std::string()); });
}

TrackerSession::~TrackerSession() {
  comm_.CloseComm();
}

void TrackerSession::onDelivery(const std::uint8_t* bytes, std::uint16_t length) {
  const std::span<const std::uint8_t> delivery(bytes, length);
  meter_.received(delivery);
  engine_.guarded([this, delivery] { engine_.Comm1ReceiveData(delivery); });
}

bool TrackerSession::open(const std::string& port, const std::string& code) {
  controls_.setText("ComboBox1", port);
  controls_.setText("AuthCode", code);
  window_.clearBoxes();
  engine_.click("OpenPort");
  return engine_.state().PortOpened && window_.errors().empty();
}

Identification TrackerSession::identify(std::chrono::steady_clock::duration limit) {
  const EngineState& state = engine_.state();
  const auto deadline = RunLoop::Clock::now() + limit;
  window_.clearBoxes();
  const bool done = loop_.runUntil(
      [&] {
        return !state.PortOpened ||
               (state.AuthPollDelay == 0 && state.activity != Activity::Identifying);
      },
      deadline);
  if (!state.PortOpened) return Identification::LinkLost;
  if (!done) return Identification::NoAnswer;
  for (const std::string& notice : window_.notices()) {
    if (notice.starts_with(kAuthRefused)) return Identification::Refused;
  }
  const std::string id = controls_.text("DeviceID");
  if (window_.printsBoxes()) {
    window_.out() << "identified: " << (id.empty() ? "(identifier not read)" : id) << std::endl;
  }
  return Identification::Identified;
}

void TrackerSession::noteVerification() {
  const VerifyReport& report = engine_.lastVerification();
  verified_ = verified_.value_or(true) && report.ran && !report.failed();
  for (const FieldDifference& d : report.mismatches) {
    differences_.push_back(DifferenceLine(d, "sent", "tracker holds"));
  }
}

bool TrackerSession::engineIdle() const {
  return !engine_.busy();
}

OperationResult TrackerSession::run(OperationId operation,
                                    std::chrono::steady_clock::duration cap) {
  OperationResult result;
  window_.clearBoxes();
  meter_.reset();
  const auto start = RunLoop::Clock::now();
  std::optional<RunLoop::Clock::time_point> verifyStart;
  TrafficCount beforeVerify;
  engine_.onVerifyStart = [&] {
    verifyStart = RunLoop::Clock::now();
    beforeVerify = meter_.count();
  };
  engine_.onCopied = [&](const MemoryControls& before) {
    result.copyDuration = RunLoop::Clock::now() - start;
    result.copyTraffic = meter_.count();
    if (onCopied) onCopied(before, engine_.kept().beforeGroups);
  };
  ProgressTracker& progress = meter_.tap().progress();
  if (auto plan = engine_.planOf(operation)) progress.start(std::move(*plan));
  engine_.start(operation);
  const bool ended =
      loop_.runUntil([this] { return engineIdle() || !window_.errors().empty(); }, start + cap);
  engine_.onVerifyStart = nullptr;
  engine_.onCopied = nullptr;
  progress.stop();
  if (onProgress) onProgress(std::nullopt);
  const auto end = RunLoop::Clock::now();
  result.duration = end - start;
  result.traffic = meter_.count();
  if (verifyStart) {
    result.verifyDuration = end - *verifyStart;
    result.verifyTraffic = Since(beforeVerify, result.traffic);
    result.verifyFailed = engine_.lastVerification().failed();
    noteVerification();
  }
  if (!window_.errors().empty()) {
    result.message = window_.errors().back();
  } else if (!ended) {
    result.message = "no result within the overall limit";
  } else if (window_.notices().empty()) {
    result.message = "the operation ended without a result";
  } else {
    result.message = window_.notices().back();
    const auto firstLine = std::string_view(result.message).substr(0, result.message.find('\n'));
    result.completed = firstLine.ends_with(kCompleted) && !result.verifyFailed;
  }
  lastMessage_ = result.message;
  return result;
}

}  // namespace tracker::cli
