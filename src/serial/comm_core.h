#pragma once
// What both TComm backends share: the line and time-out properties, the
// events, the delivery of the port threads' notifications on the owner's
// thread, and the order in which an opening starts and ends its threads. A
// backend derives as `class TComm : public CommCore<TComm>` and provides
// isOpen(), ApplyLineSettings(), ApplyTimeouts(), newReader(), newWriter(),
// stopReader(), stopWriter() and closeHandles(), and holds the threads as
// readThread_ and writeThread_.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "serial/comm_notifier.h"
#include "serial/comm_types.h"
#include "serial/comms_error.h"
#include "serial/read_settings.h"

namespace tracker {

class TComm;

using TReceiveDataEvent =
    std::function<void(TComm& sender, const std::uint8_t* buffer, std::uint16_t bufferLength)>;
using TReceiveErrorEvent = std::function<void(TComm& sender, std::uint32_t eventMask)>;
using TModemStateChangeEvent = std::function<void(TComm& sender, std::uint32_t modemEvent)>;
using TNotifyEvent = std::function<void(TComm& sender)>;
using TSendDataEmptyEvent = std::function<void(TComm& sender)>;

template <typename Comm>
class CommCore {
 public:
  // Runs a callable on the owner's thread, in posting order; called from the
  // port's threads. It must stay callable while a port is open.
  using PostToOwner = std::function<void(std::function<void()>)>;

  CommCore(const CommCore&) = delete;
  CommCore& operator=(const CommCore&) = delete;

  // Stops both threads, discards pending input and output, closes the port.
  // Notifications still on their way are dropped. Does nothing while closed.
  void CloseComm();
  // Queues a copy of `count` bytes for the writer; false (nothing sent) while
  // closed, for count 0, or when the writer no longer takes requests.
  bool SendData(const std::uint8_t* buffer, std::uint16_t count) {
    if (!self().isOpen() || count == 0 || buffer == nullptr) return false;
    return self().queue(std::vector<std::uint8_t>(buffer, buffer + count));
  }

  // The values the main window's Comm1 carries: 115200 8N1, no flow control,
  // DTR and RTS off, 30 ms read interval.
  void applyComm1Values();

  TReceiveDataEvent OnReceiveData;
  TReceiveErrorEvent OnReceiveError;
  TModemStateChangeEvent OnModemStateChange;
  TNotifyEvent OnRequestHangup;
  TSendDataEmptyEvent OnSendDataEmpty;

  // The owner's test for "the bytes gathered so far are a complete answer": the
  // reader then delivers at once instead of waiting for ReadIntervalTimeout. It
  // runs in the reader thread; it takes effect at the next OpenComm. Empty (the
  // default): chunks end by the time-outs and the size alone.
  void SetCompletenessTest(TCompletenessTest test) { completenessTest_ = std::move(test); }

  // Properties. CommName and Parity take effect at the next OpenComm; a new
  // value of another line property re-applies the line settings at once, one of
  // a time-out re-applies the time-outs; an equal value does nothing.
  const std::string& CommName() const { return commName_; }
  void SetCommName(const std::string& value) { commName_ = value; }
  TParity Parity() const { return line_.Parity; }
  void SetParity(TParity value) { line_.Parity = value; }

#define TRACKER_COMM_LINE_PROPERTY(Type, Name) \
  Type Name() const {                          \
    return line_.Name;                         \
  }                                            \
  void Set##Name(Type value) {                 \
    setLine(line_.Name, value);                \
  }
  TRACKER_COMM_LINE_PROPERTY(std::int32_t, BaudRate)
  TRACKER_COMM_LINE_PROPERTY(bool, ParityCheck)
  TRACKER_COMM_LINE_PROPERTY(bool, Outx_CtsFlow)
  TRACKER_COMM_LINE_PROPERTY(bool, Outx_DsrFlow)
  TRACKER_COMM_LINE_PROPERTY(TDtrControl, DtrControl)
  TRACKER_COMM_LINE_PROPERTY(bool, DsrSensitivity)
  TRACKER_COMM_LINE_PROPERTY(bool, TxContinueOnXoff)
  TRACKER_COMM_LINE_PROPERTY(bool, Outx_XonXoffFlow)
  TRACKER_COMM_LINE_PROPERTY(bool, Inx_XonXoffFlow)
  TRACKER_COMM_LINE_PROPERTY(bool, ReplaceWhenParityError)
  TRACKER_COMM_LINE_PROPERTY(bool, IgnoreNullChar)
  TRACKER_COMM_LINE_PROPERTY(TRtsControl, RtsControl)
  TRACKER_COMM_LINE_PROPERTY(std::uint16_t, XonLimit)
  TRACKER_COMM_LINE_PROPERTY(std::uint16_t, XoffLimit)
  TRACKER_COMM_LINE_PROPERTY(TByteSize, ByteSize)
  TRACKER_COMM_LINE_PROPERTY(TStopBits, StopBits)
  TRACKER_COMM_LINE_PROPERTY(char, XonChar)
  TRACKER_COMM_LINE_PROPERTY(char, XoffChar)
  TRACKER_COMM_LINE_PROPERTY(char, ReplacedChar)
#undef TRACKER_COMM_LINE_PROPERTY

#define TRACKER_COMM_TIMEOUT_PROPERTY(Name) \
  std::uint32_t Name() const {              \
    return timeouts_.Name;                  \
  }                                         \
  void Set##Name(std::uint32_t value) {     \
    setTimeout(timeouts_.Name, value);      \
  }
  TRACKER_COMM_TIMEOUT_PROPERTY(ReadIntervalTimeout)
  TRACKER_COMM_TIMEOUT_PROPERTY(ReadTotalTimeoutMultiplier)
  TRACKER_COMM_TIMEOUT_PROPERTY(ReadTotalTimeoutConstant)
  TRACKER_COMM_TIMEOUT_PROPERTY(WriteTotalTimeoutMultiplier)
  TRACKER_COMM_TIMEOUT_PROPERTY(WriteTotalTimeoutConstant)
#undef TRACKER_COMM_TIMEOUT_PROPERTY

 protected:
  // Queues on the writer. A backend whose header hides its writer's type
  // declares its own.
  bool queue(std::vector<std::uint8_t> bytes) {
    return self().writeThread_->queue(std::move(bytes));
  }

  explicit CommCore(PostToOwner postToOwner)
      : postToOwner_(std::move(postToOwner)), anchor_(std::make_shared<Anchor>(Anchor{this})) {}
  // Late notifications find nobody.
  ~CommCore() {
    anchor_->owner = nullptr;
  }

  // Starts the reader, then the writer, at the end of OpenComm; a thread that
  // cannot start undoes the opening and throws ECommsError.
  void startThreads();
  // The notifier of the threads of this opening.
  CommNotifier makeNotifier();
  // Called when an opening ends: its notifications still on their way are dropped.
  void endGeneration() {
    ++generation_;
  }

  std::string commName_ = "COM2";
  TCompletenessTest completenessTest_;
  CommLineProperties line_;
  CommTimeouts timeouts_;

 private:
  // Posted notifications reach the component through this.
  struct Anchor {
    CommCore* owner;
  };

  Comm& self() {
    return static_cast<Comm&>(*this);
  }

  template <typename T>
  void setLine(T& field, T value) {
    if (field == value) return;
    field = value;
    if (self().isOpen()) self().ApplyLineSettings();
  }
  void setTimeout(std::uint32_t& field, std::uint32_t value) {
    if (field == value) return;
    field = value;
    if (self().isOpen()) self().ApplyTimeouts();
  }

  void dispatch(CommNotify kind, std::uint32_t value, std::vector<std::uint8_t>& bytes);

  PostToOwner postToOwner_;
  std::shared_ptr<Anchor> anchor_;
  // Counts openings; a notification of an earlier opening is dropped.
  std::uint64_t generation_ = 0;
};

template <typename Comm>
void CommCore<Comm>::applyComm1Values() {
  SetBaudRate(115200);
  SetParityCheck(false);
  SetOutx_CtsFlow(false);
  SetOutx_DsrFlow(false);
  SetDtrControl(TDtrControl::DtrDisable);
  SetDsrSensitivity(false);
  SetTxContinueOnXoff(false);
  SetOutx_XonXoffFlow(false);
  SetInx_XonXoffFlow(false);
  SetReplaceWhenParityError(false);
  SetIgnoreNullChar(false);
  SetRtsControl(TRtsControl::RtsDisable);
  SetXonLimit(500);
  SetXoffLimit(500);
  SetByteSize(TByteSize::_8);
  SetParity(TParity::None);
  SetStopBits(TStopBits::_1);
  SetXonChar(0x11);
  SetXoffChar(0x13);
  SetReplacedChar(0x00);
  SetReadIntervalTimeout(30);
  SetReadTotalTimeoutMultiplier(0);
  SetReadTotalTimeoutConstant(0);
  SetWriteTotalTimeoutMultiplier(0);
  SetWriteTotalTimeoutConstant(0);
}

template <typename Comm>
void CommCore<Comm>::startThreads() {
  Comm& comm = self();
  try {
    comm.readThread_ = comm.newReader();
    comm.readThread_->start();
  } catch (const std::exception&) {
    comm.readThread_.reset();
    comm.closeHandles();
    throw ECommsError(kMsgReadThread);
  }
  try {
    comm.writeThread_ = comm.newWriter();
    comm.writeThread_->start();
  } catch (const std::exception&) {
    comm.writeThread_.reset();
    comm.stopReader();
    comm.closeHandles();
    endGeneration();
    throw ECommsError(kMsgWriteThread);
  }
}

// The threads wait on nothing but the port, their queue and the close event,
// so they end promptly once it is raised; joining cannot outlast that.
template <typename Comm>
void CommCore<Comm>::CloseComm() {
  if (!self().isOpen()) return;
  self().stopReader();
  self().stopWriter();
  self().closeHandles();
  endGeneration();
}

template <typename Comm>
CommNotifier CommCore<Comm>::makeNotifier() {
  auto sink = [anchor = anchor_, generation = generation_](CommNotify kind, std::uint32_t value,
                                                           std::vector<std::uint8_t>& bytes) {
    CommCore* owner = anchor->owner;
    if (owner == nullptr || owner->generation_ != generation) return;
    owner->dispatch(kind, value, bytes);
  };
  return CommNotifier(postToOwner_, std::move(sink));
}

template <typename Comm>
void CommCore<Comm>::dispatch(CommNotify kind, std::uint32_t value,
                              std::vector<std::uint8_t>& bytes) {
  // Each handler is copied first: it may reassign itself while running.
  switch (kind) {
    case CommNotify::NotifyData:
      if (auto handler = OnReceiveData) {
        handler(self(), bytes.data(), static_cast<std::uint16_t>(bytes.size()));
      }
      return;
    case CommNotify::NotifyLineError:
      if (auto handler = OnReceiveError) handler(self(), value);
      return;
    case CommNotify::NotifyHangup:
      if (auto handler = OnRequestHangup) handler(self());
      return;
    case CommNotify::NotifyModem:
      if (auto handler = OnModemStateChange) handler(self(), value);
      return;
    case CommNotify::NotifySendEmpty:
      if (auto handler = OnSendDataEmpty) handler(self());
      return;
  }
}

}  // namespace tracker
