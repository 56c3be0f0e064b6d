#pragma once
// The reader thread: keeps a read pending on the port and posts every chunk
// (ended by a pause of ReadIntervalTimeout, by 2,048 bytes, or as soon as the
// owner's completeness test passes) to the owner.

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <thread>
#include <vector>

#include "serial/close_event.h"
#include "serial/comm_notifier.h"
#include "serial/read_settings.h"

namespace tracker {

class TReadThread {
 public:
  // An empty test ends chunks by the time-outs and the size alone.
  TReadThread(int fd, const CloseEvent& closeEvent, CommNotifier notifier,
              const ReadSettings& settings, TCompletenessTest complete = {});
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
  bool complete(std::size_t end) const;
  bool deliver(std::size_t start, std::size_t end, bool keepGathered);

  int fd_;
  const CloseEvent& closeEvent_;
  CommNotifier notifier_;
  const ReadSettings& settings_;
  const TCompletenessTest complete_;
  // The chunk being read, after the chunks that ended full since the last
  // chunk that ended otherwise: an answer longer than a chunk is tested whole.
  std::vector<std::uint8_t> gathered_;
  std::thread thread_;
};

}  // namespace tracker
