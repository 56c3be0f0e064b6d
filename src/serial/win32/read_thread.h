#pragma once
// The reader thread on Win32: keeps an overlapped read pending on the port
// and an overlapped WaitCommEvent for line errors, carrier detect and ring.
// A chunk ends after a pause of ReadIntervalTimeout, at 2,048 bytes, or as
// soon as the owner's completeness test passes; each is posted to the owner.

#include <windows.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

#include "serial/comm_types.h"
#include "serial/reader_core.h"
#include "serial/win32/overlapped.h"

namespace tracker {

class TReadThread : public ReaderCore<TReadThread> {
 public:
  TReadThread(HANDLE port, HANDLE closeEvent, CommNotifier notifier, const ReadSettings& settings,
              TCompletenessTest complete = {});
  // Joins; releases the overlapped events once nothing is pending on them.
  ~TReadThread();

 private:
  friend class ReaderCore<TReadThread>;
  using Clock = std::chrono::steady_clock;

  void run();
  bool loop();
  bool startEventWait();
  bool startRead();
  bool onEvent(DWORD mask);
  bool onRead(DWORD count);
  DWORD chunkWaitMs() const;
  bool deliver(bool keepGathered);
  void failed(DWORD error);
  bool closing() const;
  void finish();

  HANDLE port_;
  HANDLE closeEvent_;
  OverlappedOp read_;
  OverlappedOp event_;
  DWORD eventMask_ = 0;
  std::array<std::uint8_t, kReadChunkSize> buffer_{};
  std::size_t chunkStart_ = 0;
  Clock::time_point firstByte_;
  Clock::time_point lastByte_;
};

}  // namespace tracker
