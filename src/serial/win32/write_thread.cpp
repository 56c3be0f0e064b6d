#include "serial/win32/write_thread.h"

#include <system_error>

namespace tracker {
namespace {

constexpr DWORD kSettleMs = 1000;

}  // namespace

TWriteThread::TWriteThread(HANDLE port, HANDLE closeEvent, CommNotifier notifier,
                           std::atomic<bool>& sendDataEmpty)
    : WriteLoop(std::move(notifier), sendDataEmpty),
      port_(port),
      closeEvent_(closeEvent),
      wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
  if (wake_ == nullptr || !write_.create()) {
    if (wake_ != nullptr) CloseHandle(wake_);
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category());
  }
}

TWriteThread::~TWriteThread() {
  stop();
  join();
  write_.settle(port_, kSettleMs);
  CloseHandle(wake_);
}

void TWriteThread::failed(DWORD error) {
  if (error != ERROR_INVALID_HANDLE && !closing()) notifier_.hangup();
}

void TWriteThread::raisePriority() {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL);
}

void TWriteThread::discardOutput() {
  PurgeComm(port_, PURGE_TXABORT | PURGE_TXCLEAR);
  CancelIo(port_);
  write_.settle(port_, kSettleMs);
}

// Waits for a request or the close event; false when the thread must end.
bool TWriteThread::waitForWork() {
  HANDLE waits[2] = {closeEvent_, wake_};
  const DWORD result = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
  if (result == WAIT_OBJECT_0 + 1) return true;  // the loop sees a stop
  if (result != WAIT_OBJECT_0) notifier_.hangup();
  return false;
}

// Writes every byte, continuing after partial writes; false when the thread
// must end (closing, or a failure already reported as a hang-up).
bool TWriteThread::writeAll(const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(bytes.size() - done);
    if (!WriteFile(port_, bytes.data() + done, size, &written, write_.get())) {
      const DWORD error = GetLastError();
      if (error != ERROR_IO_PENDING) {
        failed(error);
        return false;
      }
      write_.setPending(true);
      if (!finishWrite(written)) return false;
    }
    if (written == 0) {  // a write time-out ran out with nothing taken
      failed(ERROR_TIMEOUT);
      return false;
    }
    done += written;
  }
  return true;
}

// Waits for the pending write or the close event; false when the thread must end.
bool TWriteThread::finishWrite(DWORD& written) {
  HANDLE waits[2] = {closeEvent_, write_.event()};
  const DWORD result = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
  if (result != WAIT_OBJECT_0 + 1) {
    if (result != WAIT_OBJECT_0) notifier_.hangup();
    return false;
  }
  write_.setPending(false);
  if (GetOverlappedResult(port_, write_.get(), &written, TRUE)) return true;
  failed(GetLastError());
  return false;
}

}  // namespace tracker
