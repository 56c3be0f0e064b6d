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

#include "serial/comm_core.h"
#include "serial/comm_notifier.h"
#include "serial/comm_types.h"
#include "serial/comms_error.h"
#include "serial/read_settings.h"

namespace tracker {

// Kept out of this header, so that <windows.h> stays out of the code above
// the serial component.
class TReadThread;
class TWriteThread;
class TComm : public CommCore<TComm> {
 public:
  explicit TComm(PostToOwner postToOwner);
  // Closes an open port.
  ~TComm();

  // Opens and configures the port named by CommName ("COM5" and "\\.\COM5"
  // both open \\.\COM5) and starts both threads. Throws ECommsError.
  void OpenComm();

  bool isOpen() const { return handle_ != nullptr; }
  // True while idle; false from a queued write until the queue runs empty.
  bool sendDataEmpty() const { return sendDataEmpty_.load(); }

 private:
  friend class CommCore<TComm>;

  void ApplyLineSettings();
  void ApplyTimeouts();
  void* openDevice();
  std::unique_ptr<TReadThread> newReader();
  std::unique_ptr<TWriteThread> newWriter();
  // Here, not in CommCore: the writer's type is complete only in the .cpp.
  bool queue(std::vector<std::uint8_t> bytes);
  void stopReader();
  void stopWriter();
  void closeHandles();

  void* handle_ = nullptr;      // the port's HANDLE; null while closed
  void* closeEvent_ = nullptr;  // manual reset, raised once by CloseComm
  ReadSettings readSettings_;
  std::atomic<bool> sendDataEmpty_{true};
  std::unique_ptr<TReadThread> readThread_;
  std::unique_ptr<TWriteThread> writeThread_;
};

}  // namespace tracker
