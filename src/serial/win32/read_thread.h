#pragma once
// The reader thread on Win32: keeps an overlapped read pending on the port
// and an overlapped WaitCommEvent for line errors, carrier detect and ring.
// A chunk ends after a pause of ReadIntervalTimeout, at 2,048 bytes, or as
// soon as the owner's completeness test passes; each is posted to the owner.

#include <windows.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "serial/comm_notifier.h"
#include "serial/comm_types.h"
#include "serial/read_settings.h"
#include "serial/win32/overlapped.h"

namespace tracker {

class TReadThread {
 public:
  // An empty test ends chunks by the time-outs and the size alone.
  TReadThread(HANDLE port, HANDLE closeEvent, CommNotifier notifier, const ReadSettings& settings,
              TCompletenessTest complete = {});
  // Joins; releases the overlapped events once nothing is pending on them.
  ~TReadThread();
  TReadThread(const TReadThread&) = delete;
  TReadThread& operator=(const TReadThread&) = delete;

  // Starts the thread; throws std::system_error when it cannot be created.
  void start();
  // Waits for the end of the thread (the close event must be raised first).
  void join();

 private:
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
  CommNotifier notifier_;
  const ReadSettings& settings_;
  const TCompletenessTest complete_;
  OverlappedOp read_;
  OverlappedOp event_;
  DWORD eventMask_ = 0;
  std::array<std::uint8_t, kReadChunkSize> buffer_{};
  // The chunk being read, after the chunks that ended full since the last
  // chunk that ended otherwise: an answer longer than a chunk is tested whole.
  std::vector<std::uint8_t> gathered_;
  std::size_t chunkStart_ = 0;
  Clock::time_point firstByte_;
  Clock::time_point lastByte_;
  std::thread thread_;
};

}  // namespace tracker
