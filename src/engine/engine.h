#pragma once
// The operation engine: one request at a time. start() runs a row of the
// operation table as a plan of steps, Comm1ReceiveData advances or ends it,
// Timer2Timer times it out, Timer1Timer drives the authorisation poll.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "codec/decode_result.h"
#include "codec/group_row.h"
#include "engine/comm_port.h"
#include "engine/engine_state.h"
#include "engine/operation_plan.h"
#include "engine/operation_table.h"
#include "engine/plan.h"
#include "engine/read_back.h"
#include "protocol/answer.h"
#include "protocol/block_map.h"
#include "protocol/receive_buffer.h"
#include "settings/settings_file.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace tracker {

class PortEnumerator;
struct ServiceSpec;

// "g.ini holds no tracker settings": a file without any section of ours.
class ENoTrackerSettings : public std::runtime_error {
 public:
  explicit ENoTrackerSettings(const std::string& name);
};

// The request in flight: what was asked, so that an answer can be matched to it.
struct Request {
  std::uint8_t command = 0;
  BlockRange range{};         // block requests: the block range asked for or written
  int attempt = 0;            // 0 for the first sending, then the retry's number
  bool acknowledged = false;  // a write: some acknowledgement of it arrived
};

class Engine {
 public:
  Engine(Controls& controls, Window& window, CommPort& port);
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // Runs a handler through the one guard: an exception becomes the error box
  // and the rest of the handler is skipped; notices queued by the handler are
  // shown after it has finished changing state.
  void guarded(const std::function<void()>& handler);

  // Start-up and shutdown.
  void FormCreate(const PortEnumerator& ports, const std::string& settingsPath);
  void Exit1Click();
  void ComboBox1DropDown(const PortEnumerator& ports);
  void OpenPortClick();
  // The code in "Auth Code" changed: while the port is open and no tracker
  // has accepted a code, the next tick polls with it (engine_poll.cpp).
  void AuthCodeChange();

  // "Write All" leaves the group out: neither encoded nor sent. The command
  // line writing a settings file leaves out the temperature rows, which a
  // settings file does not hold, so that the tracker keeps its sensors.
  void leaveOutOfWriteAll(Group group) { leftOut_.push_back(group); }

  // What an operation will send and receive (engine_plan.cpp); none for
  // operations that move no group.
  std::optional<OperationPlan> planOf(OperationId id) const;

  // Starts the operation a control names, or opens/closes the port; false
  // when the control starts nothing.
  bool click(std::string_view control);

  // Runs an operation's row through the guard. While an operation runs,
  // nothing else starts.
  void start(OperationId id);

  // The serial line hung up (adapter pulled, tracker switched off): Comm1's
  // OnRequestHangup. Closes the port and ends a running operation, naming it.
  void Comm1RequestHangup();

  // Whether an operation runs; nothing else starts meanwhile.
  bool busy() const { return state_.activity != Activity::Idle; }
  // Whether the tracker on the open port has answered the authorisation poll
  // and accepted the code.
  bool identified() const { return identified_; }

  // What the window does beyond the command line.
  struct Behaviour {
    bool reopenWhenBack = false;    // reopen a lost port when it comes back
    bool readAfterDefault = false;  // read everything again after "Default"
  };
  Behaviour behaviour;

  // Settings file: load returns whether the file existed. Only what the file
  // holds is loaded: a section it lacks leaves its tab alone, a key it lacks
  // its field; a file without any tracker section throws ENoTrackerSettings
  // and changes nothing.
  bool LoadSettingsFile(const std::string& path);
  // The same from a file's bytes (a copy kept in the history), named `name`.
  void LoadSettingsText(std::string_view bytes, const std::string& name);
  // What the last load held.
  const SettingsHeld& lastLoad() const { return lastLoad_; }
  void SaveSettingsFile(const std::string& path);

  // Timers and the serial port's delivery.
  void Timer1Timer();
  void Timer2Timer();
  void Comm1ReceiveData(std::span<const std::uint8_t> bytes);

  EngineState& state() { return state_; }
  const EngineState& state() const { return state_; }
  // The bytes kept toward the next answer.
  std::span<const std::uint8_t> gathered() const { return received_.bytes(); }
  Controls& controls() { return controls_; }

  // Called with every notice the engine shows (after the window has shown it);
  // the command-line tool prints them.
  std::function<void(std::string_view)> onNotice;
  // Called with every text of the operation's status panel (the traffic log).
  std::function<void(std::string_view)> onStatus;
  // Called after each handler the guard ran has finished (progress displays).
  std::function<void()> onSettled;
  // Called with an operation just before it starts (never while busy).
  std::function<void(OperationId)> onStart;

  // Read-back (engine_read_back.cpp): verification after every write, off
  // until switched on, and Compare with Tracker. Both read into scratch
  // controls and leave the window's values alone.
  void setVerifyAfterWriting(bool on) { verifyAfterWriting_ = on; }
  bool verifyAfterWriting() const { return verifyAfterWriting_; }
  void setFieldNaming(FieldNaming naming) { naming_ = naming; }
  void CompareWithTrackerClick();  // the window's compare action
  bool verifying() const;
  // Whether a handler is running (the engine may be changing the controls).
  bool inHandler() const { return guardDepth_ > 0; }
  const VerifyReport& lastVerification() const { return readBack_.report; }
  // After Compare with Tracker: each field that differs (left: window, right: tracker).
  std::function<void(const std::vector<FieldDifference>&)> onCompared;
  // A verification read is about to be sent.
  std::function<void()> onVerifyStart;

  // The copy before (engine_copy.cpp): an operation that changes the tracker
  // first reads what it will replace, as steps of its plan, into scratch
  // controls. Off until switched on.
  void setCopyBefore(bool on) { copyBefore_ = on; }
  bool copyBefore() const { return copyBefore_; }
  // The copy of the last operation that changed the tracker, and its read-back.
  const KeptCopies& kept() const { return kept_; }
  // The copy has been read; the operation's own steps follow. Values set on
  // the controls here are written (the command line keeps keys a file lacks).
  std::function<void(const MemoryControls& before)> onCopied;
  // An operation that changes the tracker is about to start, nothing sent
  // yet; throwing refuses it (the guard shows the message).
  std::function<void(const Operation&)> onChanging;
  // Such an operation has ended, however; its last box (empty when none).
  std::function<void(const Operation&, const std::string& box)> onChanged;
  // The window and the tracker now agree on these groups: read into the window, or written.
  std::function<void(const std::vector<Group>&)> onGroupsSynced;

 private:
  // Read-back (engine_read_back.cpp).
  DecodeResult decodeStep(const Step& step, std::span<const std::uint8_t> data);
  std::string endReadBack(std::string_view readBox);
  void readBackCutShort();
  std::vector<Group> writtenGroups() const;
  void startVerify(std::string_view writeBox);
  std::string endVerify(std::string_view readBox);
  std::string endCompare(std::string_view readBox);
  void groupsSynced(const std::vector<Group>& groups);

  // The copy before (engine_copy.cpp).
  void startCopy(const Operation& operation);
  void keepIdentifiers(const Answer& answer);
  void endCopy();
  void noteChanged();
  PlanContext planContext() const;

  // Starting (engine.cpp).
  void run(const Operation& operation);
  void startPlan(const Operation& operation, Activity activity, std::string_view panel);
  void prepareWrites();
  void sendStep();
  void send(std::uint8_t command, std::span<const std::uint8_t> payload, BlockRange range = {});

  // Answers (engine_dispatcher.cpp).
  bool answersRequest(const Answer& answer) const;
  void actOnFrame(const Answer& answer);
  void onAuthAnswer(const Answer& answer);
  void onWriteAnswer(const Answer& answer);
  void onReadAnswer(const Answer& answer);
  void onDeviceId(const BlockAnswer& answer);
  void onServiceAnswer(const Answer& answer);
  void advance();
  void proceed();
  void unanswered();
  void endPhase();
  void readError();
  void endOperation();
  void updateButtons();
  void clearDeviceInfo();
  void closePort();
  void pollSent();
  void watchForSilence();
  void sayNoAnswer();
  void watchForReturn();
  bool actOnGathered();

  // Retries (engine_retries.cpp).
  bool retryAfterTimeout();
  void retryAfterBadFrame();
  bool retryStep(int retries);

  // Time-outs.
  void timedOut();

  void setPanel(std::string_view text);
  void finish(std::string_view box);
  void notice(std::string_view text);
  void flushNotices();
  void setConnectionButtons(bool enabled);

  Controls& controls_;
  Window& window_;
  CommPort& port_;
  ReceiveBuffer received_;  // the bytes gathered toward the next answer
  EngineState state_;
  std::vector<std::string> pendingNotices_;
  std::array<std::vector<std::uint8_t>, 10> prepared_;  // write payloads by Group
  std::vector<std::uint8_t> servicePayload_;            // the service command's payload
  Request request_;
  const ServiceSpec* service_ = nullptr;  // the service command in flight
  std::optional<bool> buttonsReady_;      // the request buttons enabled, once set
  bool identified_ = false;
  int unansweredPolls_ = 0;  // polls sent since the port opened or the last answer
  std::chrono::steady_clock::time_point firstUnansweredPoll_;
  bool wifiSkipped_ = false;       // the All sequence in progress went on without WiFi
  std::string lostPort_;           // a port lost while open, watched for its return
  std::uint32_t newRequests_ = 0;  // counts requests that dropped the gathered bytes
  int guardDepth_ = 0;

  std::vector<Group> leftOut_;  // groups "Write All" does not write
  ReadBack readBack_;
  bool verifyAfterWriting_ = false;
  bool copyBefore_ = false;
  KeptCopies kept_;
  const Operation* changing_ = nullptr;  // the changing operation in progress
  const Operation* changed_ = nullptr;   // ended, its onChanged not yet called
  std::string lastNotice_;
  SettingsHeld lastLoad_;
  FieldNaming naming_ = FieldNaming::Window;
};

}  // namespace tracker
