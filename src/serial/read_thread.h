#pragma once
// The reader thread: keeps a read pending on the port and posts every chunk
// (ended by a pause of ReadIntervalTimeout or by 2,048 bytes) to the owner.

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "serial/close_event.h"
#include "serial/comm_notifier.h"

namespace tracker {

// What the reader reads from TComm's properties; changed by the owner while open.
struct ReadSettings {
  std::atomic<std::uint32_t> intervalMs{100};
  std::atomic<std::uint32_t> totalMultiplierMs{0};
  std::atomic<std::uint32_t> totalConstantMs{0};
  std::atomic<bool> ignoreNullChar{false};
};

class TReadThread {
 public:
  TReadThread(int fd, const CloseEvent& closeEvent, CommNotifier notifier,
              const ReadSettings& settings);
  ~TReadThread();
  TReadThread(const TReadThread&) = delete;
  TReadThread& operator=(const TReadThread&) = delete;

  // Starts the thread; throws std::system_error when it cannot be created.
  void start();
  // Waits for the end of the thread (the close event must be raised first).
  void join();

 private:
  enum class Wait { Readable, Timeout, Closed, Failed };

  void run();
  Wait waitReadable(int timeoutMs) const;
  bool readChunk();
  int chunkTimeoutMs(std::int64_t elapsedMs) const;
  bool deliver(std::vector<std::uint8_t>& chunk, std::size_t count);

  int fd_;
  const CloseEvent& closeEvent_;
  CommNotifier notifier_;
  const ReadSettings& settings_;
  std::thread thread_;
};

}  // namespace tracker
