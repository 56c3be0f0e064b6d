#pragma once
// One overlapped operation of a port thread: its OVERLAPPED and event, kept
// alive until the system has finished with them.

#include <windows.h>

namespace tracker {

class OverlappedOp {
 public:
  OverlappedOp();
  // Frees the event and the OVERLAPPED, unless an operation is still pending
  // after Settle: then both are left to the system rather than freed under it.
  ~OverlappedOp();
  OverlappedOp(const OverlappedOp&) = delete;
  OverlappedOp& operator=(const OverlappedOp&) = delete;

  // Creates the manual-reset event; false when the system refuses.
  bool create();
  OVERLAPPED* get() { return state_; }
  HANDLE event() const { return state_->hEvent; }
  bool pending() const { return pending_; }
  void setPending(bool pending) { pending_ = pending; }
  // Waits up to `ms` for a pending operation to end (after a cancel, a purge
  // or the port's closing); whether nothing is pending now.
  bool settle(HANDLE port, DWORD ms);

 private:
  OVERLAPPED* state_;
  bool pending_ = false;
};

}  // namespace tracker
