#include "serial/termios_comm.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include "serial/device_path.h"
#include "serial/line_settings.h"
#include "serial/low_latency.h"

namespace tracker {

TComm::TComm(PostToOwner postToOwner) : CommCore(std::move(postToOwner)) {
  ApplyTimeouts();
}

TComm::~TComm() {
  CloseComm();
}

namespace {

// Why a port could not be opened, in words a technician can act on.
std::string openFailure(const std::string& path, int error) {
  std::string reason;
  switch (error) {
    case EACCES:
    case EPERM:
      reason = "permission denied. Add your user to the dialout group and log in again.";
      break;
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
    case EISDIR:
      reason = "no such port";
      break;
    case EBUSY:
    case EWOULDBLOCK:
      reason = "in use by another program";
      break;
    default:
      reason = std::generic_category().message(error);
      break;
  }
  return "Cannot open " + path + ": " + reason;
}

}  // namespace

// Opens the device for exclusive use; returns the descriptor or throws.
int TComm::openDevice() {
  const std::string path = CommDevicePath(commName_);
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw ECommsError(openFailure(path, errno));
  termios probe{};
  if (!isatty(fd) || tcgetattr(fd, &probe) != 0) {
    close(fd);
    throw ECommsError(kMsgNotCommHandle);
  }
  // The lock keeps out every other opener that locks too (root included); the
  // exclusive mode keeps out unprivileged openers that do not.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    throw ECommsError(openFailure(path, EBUSY));
  }
  ioctl(fd, TIOCEXCL);
  return fd;
}

void TComm::OpenComm() {
  if (isOpen()) throw ECommsError(kMsgAlreadyOpened);
  fd_ = openDevice();
  lowLatencySet_ = SetLowLatency(fd_);
  tcflush(fd_, TCIOFLUSH);
  sendDataEmpty_ = true;
  ApplyTimeouts();
  ApplyLineSettings();
  if (!closeEvent_.create()) {
    closeHandles();
    throw ECommsError(kMsgCreateEvent);
  }
  startThreads();
}

std::unique_ptr<TReadThread> TComm::newReader() {
  return std::make_unique<TReadThread>(fd_, closeEvent_, makeNotifier(), readSettings_,
                                       completenessTest_);
}

std::unique_ptr<TWriteThread> TComm::newWriter() {
  return std::make_unique<TWriteThread>(fd_, closeEvent_, makeNotifier(), sendDataEmpty_);
}

void TComm::stopReader() {
  closeEvent_.raise();
  tcflush(fd_, TCIFLUSH);
  readThread_.reset();
}

void TComm::stopWriter() {
  closeEvent_.raise();
  writeThread_->stop();
  tcflush(fd_, TCOFLUSH);
  sendDataEmpty_ = true;
  writeThread_.reset();
}

void TComm::closeHandles() {
  closeEvent_.release();
  if (lowLatencySet_) ClearLowLatency(fd_);
  lowLatencySet_ = false;
  ioctl(fd_, TIOCNXCL);
  close(fd_);
  fd_ = -1;
}

void TComm::ApplyLineSettings() {
  tracker::ApplyLineSettings(fd_, line_);
  readSettings_.ignoreNullChar = line_.IgnoreNullChar;
}

void TComm::ApplyTimeouts() {
  readSettings_.intervalMs = timeouts_.ReadIntervalTimeout;
  readSettings_.totalMultiplierMs = timeouts_.ReadTotalTimeoutMultiplier;
  readSettings_.totalConstantMs = timeouts_.ReadTotalTimeoutConstant;
  // Write time-outs change nothing here: the writer continues a partial write
  // with the remaining bytes until all are written.
}

}  // namespace tracker
