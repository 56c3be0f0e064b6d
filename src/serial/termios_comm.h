#pragma once
// TComm over termios: one serial port with a reader and a writer thread. Every event runs on
// the owner's thread, through the posting function given at construction.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "serial/close_event.h"
#include "serial/comm_core.h"
#include "serial/comm_types.h"
#include "serial/comms_error.h"
#include "serial/read_thread.h"
#include "serial/write_thread.h"

namespace tracker {

class TComm : public CommCore<TComm> {
 public:
  explicit TComm(PostToOwner postToOwner);
  // Closes an open port.
  ~TComm();

  // Opens and configures the port named by CommName ("ttyUSB0" opens
  // /dev/ttyUSB0; a path is used as it is) and starts both threads. Sets the
  // driver's low-latency flag where there is one (CloseComm clears it again).
  // Throws ECommsError.
  void OpenComm();

  bool isOpen() const { return fd_ >= 0; }
  // True while idle; false from a queued write until the queue runs empty.
  bool sendDataEmpty() const { return sendDataEmpty_.load(); }

 private:
  friend class CommCore<TComm>;

  void ApplyLineSettings();
  void ApplyTimeouts();
  int openDevice();
  std::unique_ptr<TReadThread> newReader();
  std::unique_ptr<TWriteThread> newWriter();
  void stopReader();
  void stopWriter();
  void closeHandles();

  int fd_ = -1;
  bool lowLatencySet_ = false;  // by us, at OpenComm: cleared again at close
  CloseEvent closeEvent_;
  ReadSettings readSettings_;
  std::atomic<bool> sendDataEmpty_{true};
  std::unique_ptr<TReadThread> readThread_;
  std::unique_ptr<TWriteThread> writeThread_;
};

}  // namespace tracker
