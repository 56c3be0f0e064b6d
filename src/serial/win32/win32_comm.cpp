#include "serial/win32/win32_comm.h"

#include <windows.h>

#include <utility>

#include "base/win32/wide_text.h"
#include "serial/device_path.h"
#include "serial/win32/dcb.h"
#include "serial/win32/read_thread.h"
#include "serial/win32/write_thread.h"

namespace tracker {
namespace {

// Driver input and output queues.
constexpr DWORD kQueueSize = 4096;

HANDLE AsHandle(void* handle) {
  return static_cast<HANDLE>(handle);
}

// Why a port could not be opened, in words a technician can act on.
std::string OpenFailure(const std::string& path, DWORD error) {
  std::string reason;
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_UNIT:
    case ERROR_DEV_NOT_EXIST:
      reason = "no such port";
      break;
    // A COM port that another program holds answers "access denied".
    case ERROR_ACCESS_DENIED:
      reason = "in use by another program, or access denied";
      break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY:
      reason = "in use by another program";
      break;
    default:
      reason = std::system_category().message(static_cast<int>(error));
      break;
  }
  return "Cannot open " + path + ": " + reason;
}

}  // namespace

TComm::TComm(PostToOwner postToOwner) : CommCore(std::move(postToOwner)) {
  ApplyTimeouts();
}

TComm::~TComm() {
  CloseComm();
}

// Opens the device for exclusive use and sets up its queues; returns the
// handle or throws.
void* TComm::openDevice() {
  const std::string path = CommDevicePath(commName_);
  HANDLE handle = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) throw ECommsError(OpenFailure(path, GetLastError()));
  if (GetFileType(handle) != FILE_TYPE_CHAR) {
    CloseHandle(handle);
    throw ECommsError(kMsgNotCommHandle);
  }
  if (!SetupComm(handle, kQueueSize, kQueueSize)) {
    CloseHandle(handle);
    throw ECommsError(kMsgCommBuffer);
  }
  return handle;
}

void TComm::OpenComm() {
  if (isOpen()) throw ECommsError(kMsgAlreadyOpened);
  handle_ = openDevice();
  PurgeComm(AsHandle(handle_), PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
  sendDataEmpty_ = true;
  ApplyTimeouts();
  ApplyLineSettings();
  closeEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (closeEvent_ == nullptr) {
    closeHandles();
    throw ECommsError(kMsgCreateEvent);
  }
  startThreads();
}

std::unique_ptr<TReadThread> TComm::newReader() {
  return std::make_unique<TReadThread>(AsHandle(handle_), AsHandle(closeEvent_), makeNotifier(),
                                       readSettings_, completenessTest_);
}

bool TComm::queue(std::vector<std::uint8_t> bytes) {
  return writeThread_->queue(std::move(bytes));
}

std::unique_ptr<TWriteThread> TComm::newWriter() {
  return std::make_unique<TWriteThread>(AsHandle(handle_), AsHandle(closeEvent_), makeNotifier(),
                                        sendDataEmpty_);
}

void TComm::stopReader() {
  SetEvent(AsHandle(closeEvent_));
  PurgeComm(AsHandle(handle_), PURGE_RXABORT | PURGE_RXCLEAR);
  readThread_->join();
}

void TComm::stopWriter() {
  SetEvent(AsHandle(closeEvent_));
  writeThread_->stop();
  PurgeComm(AsHandle(handle_), PURGE_TXABORT | PURGE_TXCLEAR);
  writeThread_->join();
  sendDataEmpty_ = true;
}

// The thread objects go after the port: closing it ends any operation the
// system has not yet given back.
void TComm::closeHandles() {
  if (closeEvent_ != nullptr) CloseHandle(AsHandle(closeEvent_));
  closeEvent_ = nullptr;
  CloseHandle(AsHandle(handle_));
  handle_ = nullptr;
  readThread_.reset();
  writeThread_.reset();
}

// Fields not set here keep the driver's values; a refusal is not reported.
void TComm::ApplyLineSettings() {
  readSettings_.ignoreNullChar = line_.IgnoreNullChar;
  COMMPROP properties{};
  GetCommProperties(AsHandle(handle_), &properties);
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(AsHandle(handle_), &dcb)) return;
  BuildDcb(line_, dcb);
  SetCommState(AsHandle(handle_), &dcb);
}

void TComm::ApplyTimeouts() {
  readSettings_.intervalMs = timeouts_.ReadIntervalTimeout;
  readSettings_.totalMultiplierMs = timeouts_.ReadTotalTimeoutMultiplier;
  readSettings_.totalConstantMs = timeouts_.ReadTotalTimeoutConstant;
  if (!isOpen()) return;
  COMMTIMEOUTS current{};
  GetCommTimeouts(AsHandle(handle_), &current);
  COMMTIMEOUTS wanted = PortTimeouts(timeouts_);
  SetCommTimeouts(AsHandle(handle_), &wanted);
}

}  // namespace tracker
