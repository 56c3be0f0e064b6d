#pragma once
// The writer thread on termios: plain writes, waiting in poll() for room
// while the close event is watched.

#include <condition_variable>

#include "serial/close_event.h"
#include "serial/write_loop.h"

namespace tracker {

class TWriteThread : public WriteLoop<TWriteThread> {
 public:
  TWriteThread(int fd, const CloseEvent& closeEvent, CommNotifier notifier,
               std::atomic<bool>& sendDataEmpty);
  ~TWriteThread();

 private:
  friend class WriteLoop<TWriteThread>;

  bool closing() const { return closeEvent_.isRaised(); }
  void wake() { wake_.notify_one(); }
  bool waitForWork();
  bool writeAll(const std::vector<std::uint8_t>& bytes);
  bool waitWritable();
  void raisePriority();
  void discardOutput();

  int fd_;
  const CloseEvent& closeEvent_;
  std::condition_variable wake_;
};

}  // namespace tracker
