#pragma once
// A real pseudo-terminal for the serial tests: the slave side is the port that
// TComm opens, the master side plays the device.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "serial/comm.h"
#include "serial/owner_queue.h"

namespace tracker::test {

class PtyPair {
 public:
  PtyPair() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
      throw std::runtime_error("openpty failed");
    }
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    path_ = name;
  }
  ~PtyPair() {
    closeMaster();
    if (slave_ >= 0) close(slave_);
  }
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  int master() const { return master_; }
  // Our own descriptor of the slave: keeps the terminal alive between openings
  // and shows its settings.
  int slave() const { return slave_; }
  // The absolute slave path, e.g. "/dev/pts/3".
  const std::string& path() const { return path_; }
  // The bare name OpenComm takes, e.g. "pts/3".
  std::string bareName() const { return path_.substr(5); }
  void closeMaster() {
    if (master_ >= 0) close(master_);
    master_ = -1;
  }

  void writeMaster(const std::vector<std::uint8_t>& bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
        continue;
      }
      pollfd entry{master_, POLLOUT, 0};
      poll(&entry, 1, 100);
    }
  }

  // Reads from the master until `count` bytes came or `timeout` passed.
  std::vector<std::uint8_t> readMaster(std::size_t count, std::chrono::milliseconds timeout) const {
    std::vector<std::uint8_t> got;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::uint8_t buffer[4096];
    while (got.size() < count) {
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n > 0) {
        got.insert(got.end(), buffer, buffer + n);
        continue;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      pollfd entry{master_, POLLIN, 0};
      poll(&entry, 1, static_cast<int>(left.count()));
    }
    return got;
  }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

// Runs the owner queue until `done` holds or `timeout` passes; returns `done()`.
inline bool RunUntil(OwnerQueue& queue, const std::function<bool()>& done,
                     std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    queue.waitAndRun(std::chrono::milliseconds(10));
  }
  return true;
}

// Every chunk OnReceiveData delivered, in order.
struct Deliveries {
  std::vector<std::vector<std::uint8_t>> chunks;

  void attach(TComm& comm) {
    comm.OnReceiveData = [this](TComm&, const std::uint8_t* buffer, std::uint16_t length) {
      chunks.emplace_back(buffer, buffer + length);
    };
  }
  std::size_t total() const {
    std::size_t sum = 0;
    for (const auto& chunk : chunks) sum += chunk.size();
    return sum;
  }
  std::vector<std::uint8_t> joined() const {
    std::vector<std::uint8_t> all;
    for (const auto& chunk : chunks) all.insert(all.end(), chunk.begin(), chunk.end());
    return all;
  }
};

inline std::vector<std::uint8_t> Pattern(std::size_t size, std::uint32_t seed = 1) {
  std::vector<std::uint8_t> bytes(size);
  std::uint32_t state = seed * 2654435761u + 1;
  for (auto& byte : bytes) {
    state = state * 1664525u + 1013904223u;
    byte = static_cast<std::uint8_t>(state >> 24);
  }
  return bytes;
}

inline std::size_t OpenDescriptorCount() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count;
}

}  // namespace tracker::test
