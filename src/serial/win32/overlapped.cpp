#include "serial/win32/overlapped.h"

namespace tracker {

OverlappedOp::OverlappedOp() : state_(new OVERLAPPED{}) {}

OverlappedOp::~OverlappedOp() {
  if (pending_) return;  // the system may still write to it: left, not freed
  if (state_->hEvent != nullptr) CloseHandle(state_->hEvent);
  delete state_;
}

bool OverlappedOp::create() {
  state_->hEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  return state_->hEvent != nullptr;
}

bool OverlappedOp::settle(HANDLE port, DWORD ms) {
  if (!pending_) return true;
  if (WaitForSingleObject(state_->hEvent, ms) != WAIT_OBJECT_0) return false;
  DWORD ignored = 0;
  GetOverlappedResult(port, state_, &ignored, FALSE);
  pending_ = false;
  return true;
}

}  // namespace tracker
