#pragma once
// The reader thread: keeps a read pending on the port and posts every chunk
// (ended by a pause of ReadIntervalTimeout, by 2,048 bytes, or as soon as the
// owner's completeness test passes) to the owner.

#include "serial/close_event.h"
#include "serial/reader_core.h"

namespace tracker {

class TReadThread : public ReaderCore<TReadThread> {
 public:
  TReadThread(int fd, const CloseEvent& closeEvent, CommNotifier notifier,
              const ReadSettings& settings, TCompletenessTest complete = {});
  ~TReadThread();

 private:
  friend class ReaderCore<TReadThread>;
  enum class Wait { Readable, Timeout, Closed, Failed };

  void run();
  Wait waitReadable(int timeoutMs) const;
  bool readChunk();
  bool deliver(std::size_t start, std::size_t end, bool keepGathered);

  int fd_;
  const CloseEvent& closeEvent_;
};

}  // namespace tracker
