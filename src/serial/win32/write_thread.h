#pragma once
// The writer thread on Win32: overlapped writes, each waited for together
// with the close event.

#include <windows.h>

#include "serial/win32/overlapped.h"
#include "serial/write_loop.h"

namespace tracker {

class TWriteThread : public WriteLoop<TWriteThread> {
 public:
  // Throws std::system_error when its events cannot be created.
  TWriteThread(HANDLE port, HANDLE closeEvent, CommNotifier notifier,
               std::atomic<bool>& sendDataEmpty);
  ~TWriteThread();

 private:
  friend class WriteLoop<TWriteThread>;

  bool closing() const { return WaitForSingleObject(closeEvent_, 0) == WAIT_OBJECT_0; }
  void wake() { SetEvent(wake_); }
  bool waitForWork();
  bool writeAll(const std::vector<std::uint8_t>& bytes);
  bool finishWrite(DWORD& written);
  void failed(DWORD error);
  void raisePriority();
  void discardOutput();

  HANDLE port_;
  HANDLE closeEvent_;
  HANDLE wake_;  // auto-reset: a request was queued, or stop() was called
  OverlappedOp write_;
};

}  // namespace tracker
