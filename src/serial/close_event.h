#pragma once
// The close signal shared by TComm and its threads: raised once, never reset,
// and waitable with poll() next to the port.

namespace tracker {

class CloseEvent {
 public:
  CloseEvent() = default;
  ~CloseEvent();
  CloseEvent(const CloseEvent&) = delete;
  CloseEvent& operator=(const CloseEvent&) = delete;

  // Creates the signal (not raised); false when the system refuses.
  bool create();
  void raise();
  bool isRaised() const;
  // The descriptor that turns readable once raised.
  int fd() const { return fd_; }
  void release();

 private:
  int fd_ = -1;
};

}  // namespace tracker
