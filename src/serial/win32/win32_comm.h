#pragma once
// TComm over the Win32 serial-communications API: one COM port opened for
// overlapped I/O, with a reader and a writer thread. Every event runs on the
// owner's thread, through the posting function given at construction.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "serial/comm_notifier.h"
#include "serial/comm_types.h"
#include "serial/comms_error.h"
#include "serial/read_settings.h"

namespace tracker {

// Kept out of this header, so that <windows.h> stays out of the code above
// the serial component.
class TReadThread;
class TWriteThread;
class TComm;

using TReceiveDataEvent =
    std::function<void(TComm& sender, const std::uint8_t* buffer, std::uint16_t bufferLength)>;
using TReceiveErrorEvent = std::function<void(TComm& sender, std::uint32_t eventMask)>;
using TModemStateChangeEvent = std::function<void(TComm& sender, std::uint32_t modemEvent)>;
using TNotifyEvent = std::function<void(TComm& sender)>;
using TSendDataEmptyEvent = std::function<void(TComm& sender)>;

class TComm {
 public:
  // Runs a callable on the owner's thread, in posting order; called from the
  // port's threads. It must stay callable while a port is open.
  using PostToOwner = std::function<void(std::function<void()>)>;

  explicit TComm(PostToOwner postToOwner);
  // Closes an open port.
  ~TComm();
  TComm(const TComm&) = delete;
  TComm& operator=(const TComm&) = delete;

  // The values the main window's Comm1 carries: 115200 8N1, no flow control,
  // DTR and RTS off, 30 ms read interval.
  void applyComm1Values();

  // Opens and configures the port named by CommName ("COM5" and "\\.\COM5"
  // both open \\.\COM5) and starts both threads. Throws ECommsError.
  void OpenComm();
  // Stops both threads, discards pending input and output, closes the port.
  // Notifications still on their way are dropped. Does nothing while closed.
  void CloseComm();
  // Queues a copy of `count` bytes for the writer; false (nothing sent) while
  // closed, for count 0, or when the writer no longer takes requests.
  bool SendData(const std::uint8_t* buffer, std::uint16_t count);

  bool isOpen() const { return handle_ != nullptr; }
  // True while idle; false from a queued write until the queue runs empty.
  bool sendDataEmpty() const { return sendDataEmpty_.load(); }

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

  std::int32_t BaudRate() const { return line_.BaudRate; }
  void SetBaudRate(std::int32_t value) { setLine(line_.BaudRate, value); }
  bool ParityCheck() const { return line_.ParityCheck; }
  void SetParityCheck(bool value) { setLine(line_.ParityCheck, value); }
  bool Outx_CtsFlow() const { return line_.Outx_CtsFlow; }
  void SetOutx_CtsFlow(bool value) { setLine(line_.Outx_CtsFlow, value); }
  bool Outx_DsrFlow() const { return line_.Outx_DsrFlow; }
  void SetOutx_DsrFlow(bool value) { setLine(line_.Outx_DsrFlow, value); }
  TDtrControl DtrControl() const { return line_.DtrControl; }
  void SetDtrControl(TDtrControl value) { setLine(line_.DtrControl, value); }
  bool DsrSensitivity() const { return line_.DsrSensitivity; }
  void SetDsrSensitivity(bool value) { setLine(line_.DsrSensitivity, value); }
  bool TxContinueOnXoff() const { return line_.TxContinueOnXoff; }
  void SetTxContinueOnXoff(bool value) { setLine(line_.TxContinueOnXoff, value); }
  bool Outx_XonXoffFlow() const { return line_.Outx_XonXoffFlow; }
  void SetOutx_XonXoffFlow(bool value) { setLine(line_.Outx_XonXoffFlow, value); }
  bool Inx_XonXoffFlow() const { return line_.Inx_XonXoffFlow; }
  void SetInx_XonXoffFlow(bool value) { setLine(line_.Inx_XonXoffFlow, value); }
  bool ReplaceWhenParityError() const { return line_.ReplaceWhenParityError; }
  void SetReplaceWhenParityError(bool value) { setLine(line_.ReplaceWhenParityError, value); }
  bool IgnoreNullChar() const { return line_.IgnoreNullChar; }
  void SetIgnoreNullChar(bool value) { setLine(line_.IgnoreNullChar, value); }
  TRtsControl RtsControl() const { return line_.RtsControl; }
  void SetRtsControl(TRtsControl value) { setLine(line_.RtsControl, value); }
  std::uint16_t XonLimit() const { return line_.XonLimit; }
  void SetXonLimit(std::uint16_t value) { setLine(line_.XonLimit, value); }
  std::uint16_t XoffLimit() const { return line_.XoffLimit; }
  void SetXoffLimit(std::uint16_t value) { setLine(line_.XoffLimit, value); }
  TByteSize ByteSize() const { return line_.ByteSize; }
  void SetByteSize(TByteSize value) { setLine(line_.ByteSize, value); }
  TStopBits StopBits() const { return line_.StopBits; }
  void SetStopBits(TStopBits value) { setLine(line_.StopBits, value); }
  char XonChar() const { return line_.XonChar; }
  void SetXonChar(char value) { setLine(line_.XonChar, value); }
  char XoffChar() const { return line_.XoffChar; }
  void SetXoffChar(char value) { setLine(line_.XoffChar, value); }
  char ReplacedChar() const { return line_.ReplacedChar; }
  void SetReplacedChar(char value) { setLine(line_.ReplacedChar, value); }

  std::uint32_t ReadIntervalTimeout() const { return timeouts_.ReadIntervalTimeout; }
  void SetReadIntervalTimeout(std::uint32_t value) {
    setTimeout(timeouts_.ReadIntervalTimeout, value);
  }
  std::uint32_t ReadTotalTimeoutMultiplier() const { return timeouts_.ReadTotalTimeoutMultiplier; }
  void SetReadTotalTimeoutMultiplier(std::uint32_t value) {
    setTimeout(timeouts_.ReadTotalTimeoutMultiplier, value);
  }
  std::uint32_t ReadTotalTimeoutConstant() const { return timeouts_.ReadTotalTimeoutConstant; }
  void SetReadTotalTimeoutConstant(std::uint32_t value) {
    setTimeout(timeouts_.ReadTotalTimeoutConstant, value);
  }
  std::uint32_t WriteTotalTimeoutMultiplier() const {
    return timeouts_.WriteTotalTimeoutMultiplier;
  }
  void SetWriteTotalTimeoutMultiplier(std::uint32_t value) {
    setTimeout(timeouts_.WriteTotalTimeoutMultiplier, value);
  }
  std::uint32_t WriteTotalTimeoutConstant() const { return timeouts_.WriteTotalTimeoutConstant; }
  void SetWriteTotalTimeoutConstant(std::uint32_t value) {
    setTimeout(timeouts_.WriteTotalTimeoutConstant, value);
  }

 private:
  // Posted notifications reach the component through this; cleared when the
  // component goes, so late notifications find nobody.
  struct Anchor {
    TComm* owner;
  };

  template <typename T>
  void setLine(T& field, T value) {
    if (field == value) return;
    field = value;
    if (isOpen()) ApplyLineSettings();
  }
  void setTimeout(std::uint32_t& field, std::uint32_t value) {
    if (field == value) return;
    field = value;
    if (isOpen()) ApplyTimeouts();
  }

  void ApplyLineSettings();
  void ApplyTimeouts();
  void* openDevice();
  void startThreads();
  void stopReader();
  void stopWriter();
  void closeHandles();
  CommNotifier makeNotifier();
  void dispatch(CommNotify kind, std::uint32_t value, std::vector<std::uint8_t>& bytes);

  PostToOwner postToOwner_;
  std::shared_ptr<Anchor> anchor_;
  // Counts openings; a notification of an earlier opening is dropped.
  std::uint64_t generation_ = 0;

  std::string commName_ = "COM2";
  TCompletenessTest completenessTest_;
  CommLineProperties line_;
  CommTimeouts timeouts_;

  void* handle_ = nullptr;      // the port's HANDLE; null while closed
  void* closeEvent_ = nullptr;  // manual reset, raised once by CloseComm
  ReadSettings readSettings_;
  std::atomic<bool> sendDataEmpty_{true};
  std::unique_ptr<TReadThread> readThread_;
  std::unique_ptr<TWriteThread> writeThread_;
};

}  // namespace tracker
