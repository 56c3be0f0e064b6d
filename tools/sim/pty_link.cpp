#include "sim/pty_link.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace tracker::sim {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kHangupNap{20};
constexpr std::chrono::milliseconds kWriteStallLimit{2000};
constexpr std::chrono::milliseconds kPaceSlice{5};

std::runtime_error systemError(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

PtyLink::PtyLink() {
  int slave = -1;
  std::array<char, 256> name{};
  if (::openpty(&master_, &slave, name.data(), nullptr, nullptr) != 0) {
    throw systemError("openpty");
  }
  path_ = name.data();
  termios settings{};
  ::tcgetattr(slave, &settings);
  ::cfmakeraw(&settings);
  ::cfsetspeed(&settings, B115200);
  ::tcsetattr(slave, TCSANOW, &settings);
  ::close(slave);
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
}

PtyLink::~PtyLink() {
  if (master_ >= 0) ::close(master_);
}

PtyLink::Event PtyLink::wait(std::chrono::milliseconds timeout) {
  Event event;
  pollfd fd{master_, POLLIN, 0};
  const int ready = ::poll(&fd, 1, static_cast<int>(std::max<long>(0, timeout.count())));
  if (ready <= 0) {
    event.peerOpen = ready == 0;
    return event;
  }
  if ((fd.revents & POLLIN) != 0) {
    std::array<std::uint8_t, 4096> chunk{};
    const ssize_t got = ::read(master_, chunk.data(), chunk.size());
    if (got > 0) {
      event.peerOpen = true;  // may have just closed; the next wait tells
      event.data.assign(chunk.begin(), chunk.begin() + got);
      return event;
    }
    if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
      event.peerOpen = true;
      return event;
    }
  }
  // POLLHUP (or EIO on read): nobody has the slave side open.
  std::this_thread::sleep_for(std::min(timeout, kHangupNap));
  return event;
}

bool PtyLink::send(const std::vector<Piece>& pieces, int paceBaud,
                   const std::function<bool()>& shouldStop) {
  for (const Piece& piece : pieces) {
    if (piece.pauseBefore.count() > 0) std::this_thread::sleep_for(piece.pauseBefore);
    if (!writePaced(piece.bytes, paceBaud, shouldStop)) return false;
  }
  return true;
}

void PtyLink::paceReceived(std::size_t count, int paceBaud) {
  if (paceBaud <= 0) return;
  // A pty takes a request at once; a line carries it byte after byte.
  const std::chrono::duration<double> lineTime(static_cast<double>(count) * 10.0 / paceBaud);
  receivedBy_ =
      std::max(receivedBy_, Clock::now()) + std::chrono::duration_cast<Clock::duration>(lineTime);
  std::this_thread::sleep_until(receivedBy_);
}

bool PtyLink::writePaced(const Bytes& bytes, int paceBaud, const std::function<bool()>& stop) {
  if (paceBaud <= 0) return writeSome(bytes.data(), bytes.size(), stop);
  // One byte is 10 bits on the line; send slices of about kPaceSlice and sleep
  // until the line would have carried them.
  const double bytesPerSecond = paceBaud / 10.0;
  const auto slice = static_cast<std::size_t>(
      std::max(1.0, bytesPerSecond * std::chrono::duration<double>(kPaceSlice).count()));
  const auto start = Clock::now();
  for (std::size_t sent = 0; sent < bytes.size();) {
    const std::size_t size = std::min(slice, bytes.size() - sent);
    if (!writeSome(bytes.data() + sent, size, stop)) return false;
    sent += size;
    const std::chrono::duration<double> due(static_cast<double>(sent) / bytesPerSecond);
    std::this_thread::sleep_until(start + std::chrono::duration_cast<Clock::duration>(due));
  }
  return true;
}

bool PtyLink::writeSome(const std::uint8_t* data, std::size_t size,
                        const std::function<bool()>& stop) {
  auto lastProgress = Clock::now();
  while (size > 0) {
    if (stop && stop()) return false;
    pollfd fd{master_, POLLOUT, 0};
    ::poll(&fd, 1, 50);
    if ((fd.revents & POLLHUP) != 0) return false;  // the editor closed the port
    if ((fd.revents & POLLOUT) == 0) {
      if (Clock::now() - lastProgress > kWriteStallLimit) return false;
      continue;
    }
    const ssize_t put = ::write(master_, data, size);
    if (put < 0) {
      if (errno == EAGAIN || errno == EINTR) continue;
      return false;
    }
    data += put;
    size -= static_cast<std::size_t>(put);
    lastProgress = Clock::now();
  }
  return true;
}

}  // namespace tracker::sim
