#pragma once
// The operation engine: one request at a time. Button handlers start an
// operation, Comm1ReceiveData advances or ends it, Timer2Timer times it out,
// Timer1Timer drives the authorisation poll.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codec/decode_result.h"
#include "codec/group_row.h"
#include "engine/comm_port.h"
#include "engine/engine_state.h"
#include "engine/operation_plan.h"
#include "engine/read_back.h"
#include "protocol/answer.h"
#include "protocol/block_map.h"
#include "protocol/protocol_context.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace tracker {

class PortEnumerator;
struct ReadStepRow;
struct WriteStepRow;
struct ServiceSpec;

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

  // What a button's operation will send and receive (engine_plan.cpp); none
  // for buttons that move no group.
  std::optional<OperationPlan> planOf(std::string_view button) const;

  // Clicks a button by control name; false when no handler belongs to it.
  // While an operation runs, a button that would send a request does nothing.
  bool click(std::string_view control);

  // The serial line hung up (adapter pulled, tracker switched off): Comm1's
  // OnRequestHangup. Closes the port and ends a running operation, naming it.
  void Comm1RequestHangup();

  // Whether an operation runs; nothing else starts meanwhile.
  bool busy() const { return state_.Operation != OpIdle; }
  // Whether the tracker on the open port has answered the authorisation poll
  // and accepted the code.
  bool identified() const { return identified_; }

  // What the window does beyond the command line.
  struct Behaviour {
    bool reopenWhenBack = false;    // reopen a lost port when it comes back
    bool readAfterDefault = false;  // read everything again after "Default"
  };
  Behaviour behaviour;

  // Start handlers of the operations.
  void ReadAllClick();
  void WriteAllClick();
  void GPRSReadClick();
  void GPRSWriteClick();
  void MainSetReadClick();
  void MainSetWriteClick();
  void InterfaceReadClick();
  void InterfaceWriteClick();
  void Temp_ReadClick();
  void Temp_WriteClick();
  void WIFI_ReadClick();
  void WIFI_WriteClick();
  void SMSReadClick();
  void SMSWriteClick();
  void GEOFenceReadClick();
  void GEOWriteClick();
  void EventReadClick();
  void EventWriteClick();
  void DLTReadClick();
  void DLTWriteClick();
  void InitAllClick();
  void ClearGPRS1Click();
  void ClearGPRS2Click();
  void ClearSMSClick();
  void ClearGPSLogClick();
  void SetMileageClick();
  void SET_IDClick();
  void DEL_IDClick();
  void CHK_IDClick();
  void Temp_PairClick();
  void ClearCodeClick();

  // Settings file: load returns whether the file existed.
  bool LoadSettingsFile(const std::string& path);
  void SaveSettingsFile(const std::string& path);

  // Timers and the serial port's delivery.
  void Timer1Timer();
  void Timer2Timer();
  void Comm1ReceiveData(std::span<const std::uint8_t> bytes);

  EngineState& state() { return state_; }
  const EngineState& state() const { return state_; }
  ProtocolContext& protocol() { return *context_; }
  Controls& controls() { return controls_; }

  // Called with every notice the engine shows (after the window has shown it);
  // the command-line tool prints them.
  std::function<void(std::string_view)> onNotice;
  // Called with every text of the operation's status panel (the traffic log).
  std::function<void(std::string_view)> onStatus;
  // Called after each handler the guard ran has finished (progress displays).
  std::function<void()> onSettled;
  // Called with a button's name just before it acts (never while busy).
  std::function<void(std::string_view)> onClick;

  // Read-back (engine_read_back.cpp): verification after every write, off
  // until switched on, and Compare with Tracker. Both read into scratch
  // controls and leave the window's values alone.
  void setVerifyAfterWriting(bool on) { verifyAfterWriting_ = on; }
  bool verifyAfterWriting() const { return verifyAfterWriting_; }
  void setFieldNaming(FieldNaming naming) { naming_ = naming; }
  void CompareWithTrackerClick();
  bool verifying() const;
  // Whether a handler is running (the engine may be changing the controls).
  bool inHandler() const { return guardDepth_ > 0; }
  const VerifyReport& lastVerification() const { return readBack_.report; }
  // After Compare with Tracker: each field that differs (left: window, right: tracker).
  std::function<void(const std::vector<FieldDifference>&)> onCompared;
  // A verification read is about to be sent.
  std::function<void()> onVerifyStart;
  // The window and the tracker now agree on these groups: read into the window, or written.
  std::function<void(const std::vector<Group>&)> onGroupsSynced;

 private:
  DecodeResult decodeStep(const ReadStepRow& row, std::span<const std::uint8_t> data);
  bool continueReadBack(std::string& box);
  void readBackCutShort();
  std::vector<Group> writtenGroups() const;
  void startVerify(std::string_view writeBox);
  std::string endVerify(std::string_view readBox);
  std::string endCompare(std::string_view readBox);
  void groupsSynced(const std::vector<Group>& groups);

  void send(std::uint8_t command, BlockRange range = {});
  void sendPrepared(const WriteStepRow& row);
  void prepareWrites(std::span<const Group> groups);
  void startWrite(Group group, bool all, std::string_view panel);
  void startRead(Group group, bool all, std::string_view panel);
  void startService(const ServiceSpec& spec);
  void writeGroup(Group group, std::string_view panel);
  void sendReadStep(const ReadStepRow& row, std::uint8_t timeout);

  // Answers (dispatcher).
  bool answersRequest(const Answer& answer) const;
  void actOnFrame(const Answer& answer);
  void onAuthAnswer(const Answer& answer);
  void onWriteAnswer(const Answer& answer);
  void onReadAnswer(const Answer& answer);
  void onDeviceId(const BlockAnswer& answer);
  void onWifiWriteAnswer(const Answer& answer);
  void onWifiReadAnswer(const Answer& answer);
  void onServiceAnswer(const Answer& answer);
  void advanceWrite(const WriteStepRow& row);
  void advanceRead(const ReadStepRow& row);
  void decodeAndAdvance(const ReadStepRow& row, std::span<const std::uint8_t> data);
  void readError();
  void endOperation();
  void wifiUnanswered();
  void updateButtons();
  void clearDeviceInfo();
  void closePort();
  void pollSent();
  void watchForReturn();
  bool actOnGathered();

  // Retries (engine_retries.cpp).
  bool retryAfterTimeout();
  void retryAfterBadFrame();
  bool retryRead();
  bool retryWrite();

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
  std::unique_ptr<ProtocolContext> context_;
  EngineState state_;
  std::vector<std::string> pendingNotices_;
  std::array<std::vector<std::uint8_t>, 10> prepared_;  // write payloads by Group
  Request request_;
  const ServiceSpec* service_ = nullptr;  // the service command in flight
  std::optional<bool> buttonsReady_;      // the request buttons enabled, once set
  bool identified_ = false;
  int unansweredPolls_ = 0;        // polls sent since the port opened or the last answer
  bool wifiSkipped_ = false;       // the All sequence in progress went on without WiFi
  std::string lostPort_;           // a port lost while open, watched for its return
  std::uint32_t newRequests_ = 0;  // counts requests that dropped the gathered bytes
  int guardDepth_ = 0;

  std::vector<Group> leftOut_;  // groups "Write All" does not write
  ReadBack readBack_;
  bool verifyAfterWriting_ = false;
  FieldNaming naming_ = FieldNaming::Window;
};

}  // namespace tracker
