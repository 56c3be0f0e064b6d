#include "serial/win32/read_thread.h"

#include <algorithm>

namespace tracker {
namespace {

// The line events waited for: carrier detect, line error, ring.
constexpr DWORD kLineEvents = EV_RLSD | EV_ERR | EV_RING;
// How long the exit waits for the cancelled operations to end.
constexpr DWORD kSettleMs = 1000;

}  // namespace

TReadThread::TReadThread(HANDLE port, HANDLE closeEvent, CommNotifier notifier,
                         const ReadSettings& settings, TCompletenessTest complete)
    : ReaderCore(std::move(notifier), settings, std::move(complete)),
      port_(port),
      closeEvent_(closeEvent) {}

TReadThread::~TReadThread() {
  join();
  // The owner closes the port before this, which ends whatever was left.
  read_.settle(port_, kSettleMs);
  event_.settle(port_, kSettleMs);
}

bool TReadThread::closing() const {
  return WaitForSingleObject(closeEvent_, 0) == WAIT_OBJECT_0;
}

// A failure of the port: a hang-up, unless the port is being closed.
void TReadThread::failed(DWORD error) {
  if (error != ERROR_INVALID_HANDLE && !closing()) notifier_.hangup();
}

void TReadThread::run() {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
  if (!read_.create() || !event_.create() || !SetCommMask(port_, kLineEvents)) {
    notifier_.hangup();
  } else if (startEventWait() && startRead()) {
    while (loop()) {
    }
  }
  finish();
}

// Ends what is pending. Wine does not cancel a pending WaitCommEvent with
// CancelIo; a new event mask ends it there as on Windows.
void TReadThread::finish() {
  SetCommMask(port_, 0);
  PurgeComm(port_, PURGE_RXABORT | PURGE_RXCLEAR);
  CancelIo(port_);
  read_.settle(port_, kSettleMs);
  event_.settle(port_, kSettleMs);
}

// One wait and what follows it; false when the thread must end.
bool TReadThread::loop() {
  HANDLE waits[3] = {closeEvent_, event_.event(), read_.event()};
  const DWORD result = WaitForMultipleObjects(3, waits, FALSE, chunkWaitMs());
  if (result == WAIT_OBJECT_0) return false;
  if (result == WAIT_TIMEOUT) return deliver(false);
  DWORD count = 0;
  if (result == WAIT_OBJECT_0 + 1) {
    event_.setPending(false);
    if (!GetOverlappedResult(port_, event_.get(), &count, FALSE)) {
      failed(GetLastError());
      return false;
    }
    return onEvent(eventMask_) && startEventWait();
  }
  if (result == WAIT_OBJECT_0 + 2) {
    read_.setPending(false);
    // A pseudo-terminal whose other end closed fails with ERROR_BROKEN_PIPE,
    // a pulled USB adapter with access denied, bad command or aborted.
    if (!GetOverlappedResult(port_, read_.get(), &count, FALSE)) {
      failed(GetLastError());
      return false;
    }
    return onRead(count) && startRead();
  }
  notifier_.hangup();
  return false;
}

// Issues the overlapped line-event wait, handling immediate completions.
bool TReadThread::startEventWait() {
  while (!closing()) {
    eventMask_ = 0;
    if (WaitCommEvent(port_, &eventMask_, event_.get())) {
      if (!onEvent(eventMask_)) return false;
      continue;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_IO_PENDING) {
      event_.setPending(true);
      return true;
    }
    failed(error);
    return false;
  }
  return false;
}

// Issues the overlapped read for the rest of the chunk, handling immediate completions.
bool TReadThread::startRead() {
  while (!closing()) {
    const std::size_t inChunk = gathered_.size() - chunkStart_;
    const DWORD room = static_cast<DWORD>(kReadChunkSize - inChunk);
    DWORD count = 0;
    if (ReadFile(port_, buffer_.data(), room, &count, read_.get())) {
      if (!onRead(count)) return false;
      continue;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_IO_PENDING) {
      read_.setPending(true);
      return true;
    }
    failed(error);
    return false;
  }
  return false;
}

// Posts what a line event reports; false when nothing could be posted.
bool TReadThread::onEvent(DWORD mask) {
  bool posted = false;
  if (mask & EV_ERR) {
    DWORD errors = 0;
    if (!ClearCommError(port_, &errors, nullptr)) {
      failed(GetLastError());
      return false;
    }
    if (!notifier_.lineError(errors)) return false;
    posted = true;
  }
  const std::uint32_t modem =
      ((mask & EV_RLSD) ? kModemCarrierDetect : 0) | ((mask & EV_RING) ? kModemRing : 0);
  if (modem != 0) {
    if (!notifier_.modem(modem)) return false;
    posted = true;
  }
  // An empty mask: the wait was ended, the port is going.
  if (!posted && !closing()) notifier_.hangup();
  return posted;
}

// Adds the bytes of a completed read to the chunk and ends the chunk when it
// is full or complete; false when the thread must end.
bool TReadThread::onRead(DWORD count) {
  if (count == 0) return true;
  const auto now = Clock::now();
  if (gathered_.size() == chunkStart_) firstByte_ = now;
  lastByte_ = now;
  gathered_.insert(gathered_.end(), buffer_.begin(), buffer_.begin() + count);
  if (answerEnds(gathered_.size())) return deliver(false);
  if (gathered_.size() - chunkStart_ == kReadChunkSize) return deliver(true);
  return true;
}

// How long to wait for the next byte of the chunk; INFINITE while it is empty.
DWORD TReadThread::chunkWaitMs() const {
  if (gathered_.size() == chunkStart_) return INFINITE;
  using std::chrono::duration_cast;
  using std::chrono::milliseconds;
  const auto gathering = duration_cast<milliseconds>(lastByte_ - firstByte_).count();
  const int limit = ChunkTimeoutMs(settings_, gathering);
  if (limit < 0) return INFINITE;
  const auto idle = duration_cast<milliseconds>(Clock::now() - lastByte_).count();
  return static_cast<DWORD>(std::max<std::int64_t>(0, limit - idle));
}

// Posts the chunk. Only a full chunk that did not end an answer stays
// gathered, for the test of the next one.
bool TReadThread::deliver(bool keepGathered) {
  std::vector<std::uint8_t> chunk(gathered_.begin() + static_cast<std::ptrdiff_t>(chunkStart_),
                                  gathered_.end());
  if (keepGathered && complete_ && gathered_.size() <= kMaxGathered - kReadChunkSize) {
    chunkStart_ = gathered_.size();
  } else {
    gathered_.clear();
    chunkStart_ = 0;
  }
  return post(std::move(chunk));
}

}  // namespace tracker
