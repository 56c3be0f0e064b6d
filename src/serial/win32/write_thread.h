#pragma once
// The writer thread on Win32: writes the queued requests to the port with
// overlapped writes, one after the other, and reports when its queue has run
// empty.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "serial/comm_notifier.h"
#include "serial/win32/overlapped.h"

namespace tracker {

class TWriteThread {
 public:
  // Throws std::system_error when its events cannot be created.
  TWriteThread(HANDLE port, HANDLE closeEvent, CommNotifier notifier,
               std::atomic<bool>& sendDataEmpty);
  ~TWriteThread();
  TWriteThread(const TWriteThread&) = delete;
  TWriteThread& operator=(const TWriteThread&) = delete;

  // Starts the thread; throws std::system_error when it cannot be created.
  void start();
  // Queues a copy of the bytes and clears the send-data-empty flag; false when
  // the thread no longer takes requests.
  bool queue(std::vector<std::uint8_t> bytes);
  // Ends the thread at its next look at the queue, dropping what is queued; a
  // write in progress ends on the close event.
  void stop();
  void join();

 private:
  enum class Next { Request, Empty, Stop };

  void run();
  Next take(std::vector<std::uint8_t>& request);
  bool waitForWork();
  bool writeAll(const std::vector<std::uint8_t>& bytes);
  bool finishWrite(DWORD& written);
  void failed(DWORD error);
  void refuseRequests();

  HANDLE port_;
  HANDLE closeEvent_;
  CommNotifier notifier_;
  std::atomic<bool>& sendDataEmpty_;
  HANDLE wake_;  // auto-reset: a request was queued, or stop() was called
  OverlappedOp write_;
  std::mutex mutex_;
  std::deque<std::vector<std::uint8_t>> requests_;
  bool stopping_ = false;
  bool refusing_ = false;
  std::thread thread_;
};

}  // namespace tracker
