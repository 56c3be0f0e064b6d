// Runs the real tracker-sim binary and talks to it over its pseudo-terminal.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sim/crc16.h"
#include "sim/frame.h"

namespace tracker::sim {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

const Bytes kAuthPoll = {0x5A, 0xA5, 0x00, 0x06, 0x50, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x1E, 0xD9};
const Bytes kDefault = {0x5A, 0xA5, 0x00, 0x01, 0xE5, 0x8A, 0x19};

struct Chunk {
  Clock::time_point at;
  Bytes bytes;
};

// One running tracker-sim with its stdout and stderr on pipes.
class SimProcess {
 public:
  explicit SimProcess(std::vector<std::string> args) {
    int out[2];
    int err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    args.insert(args.begin(), TRACKER_SIM_PATH);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, TRACKER_SIM_PATH, &actions, nullptr, argv.data(), environ) != 0) {
      pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    out_ = out[0];
    err_ = err[0];
  }

  ~SimProcess() {
    closePort();
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    ::close(out_);
    ::close(err_);
  }

  // The first stdout line: the port path.
  std::string portLine() {
    std::string line;
    char c = 0;
    while (waitReadable(out_, milliseconds(5000)) && ::read(out_, &c, 1) == 1 && c != '\n') {
      line.push_back(c);
    }
    return line;
  }

  bool openPort(const std::string& path) {
    port_ = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    return port_ >= 0;
  }

  void closePort() {
    if (port_ >= 0) ::close(port_);
    port_ = -1;
  }

  void send(const Bytes& bytes) {
    ASSERT_EQ(::write(port_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // Everything that arrives until `quiet` passes without a byte, or `limit`.
  std::vector<Chunk> receive(milliseconds quiet, milliseconds limit = milliseconds(3000)) {
    std::vector<Chunk> chunks;
    const auto end = Clock::now() + limit;
    while (Clock::now() < end && waitReadable(port_, quiet)) {
      std::uint8_t buffer[8192];
      const ssize_t got = ::read(port_, buffer, sizeof buffer);
      if (got <= 0) break;
      chunks.push_back(Chunk{Clock::now(), Bytes(buffer, buffer + got)});
    }
    return chunks;
  }

  Bytes receiveBytes(milliseconds quiet = milliseconds(150)) {
    Bytes all;
    for (const Chunk& chunk : receive(quiet))
      all.insert(all.end(), chunk.bytes.begin(), chunk.bytes.end());
    return all;
  }

  // Sends SIGTERM and returns the exit status (-1 when it did not exit normally).
  int terminate() {
    ::kill(pid_, SIGTERM);
    return waitExit();
  }

  int waitExit() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string errorText() {
    std::string text;
    char buffer[512];
    ssize_t got = 0;
    while ((got = ::read(err_, buffer, sizeof buffer)) > 0)
      text.append(buffer, static_cast<std::size_t>(got));
    return text;
  }

 private:
  static bool waitReadable(int fd, milliseconds timeout) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, static_cast<int>(timeout.count())) > 0 && (p.revents & POLLIN) != 0;
  }

  pid_t pid_ = -1;
  int out_ = -1;
  int err_ = -1;
  int port_ = -1;
};

bool crcValid(const Bytes& frame) {
  if (frame.size() < 7) return false;
  const std::uint16_t crc = crc16(std::span(frame.data(), frame.size() - 2));
  return frame[frame.size() - 2] == (crc >> 8) && frame.back() == (crc & 0xFF);
}

TEST(SimBinary, AnswersTheAuthorisationPollAndServesTheReopenedPort) {
  const auto portFile =
      std::filesystem::temp_directory_path() / ("sim_port_" + std::to_string(::getpid()));
  SimProcess sim({"--port-file", portFile.string(), "--model", "Cedar"});
  const std::string port = sim.portLine();
  ASSERT_TRUE(port.starts_with("/dev/")) << port;
  std::string fromFile;
  std::getline(std::ifstream(portFile), fromFile);
  EXPECT_EQ(fromFile, port);
  std::filesystem::remove(portFile);

  ASSERT_TRUE(sim.openPort(port));
  sim.send(kAuthPoll);
  const Bytes answer = sim.receiveBytes();
  ASSERT_GE(answer.size(), 12u);
  EXPECT_EQ(Bytes(answer.begin(), answer.begin() + 2), (Bytes{0x5A, 0xA5}));
  EXPECT_EQ(std::size_t{answer[2]} * 256 + answer[3] + 6, answer.size());
  EXPECT_EQ(answer[4], 0x50);
  EXPECT_EQ(answer[6], 1);  // accepted
  EXPECT_TRUE(crcValid(answer));
  const std::string info(answer.begin() + 10, answer.end());
  EXPECT_EQ(info.rfind("FW1.0-Cedar,860000000000001,", 0), 0u) << info;

  sim.closePort();
  ASSERT_TRUE(sim.openPort(port));
  sim.send(kDefault);
  EXPECT_EQ(sim.receiveBytes(), encodeFrame(0xE5, Bytes{1}));
  EXPECT_EQ(sim.terminate(), 0);
}

TEST(SimBinary, RefusesAWrongCodeAndKeepsSilentWhereTold) {
  SimProcess sim({"--code", "1234", "--silent", "0xE5"});
  ASSERT_TRUE(sim.openPort(sim.portLine()));
  sim.send(kDefault);
  EXPECT_TRUE(sim.receiveBytes(milliseconds(300)).empty());
  sim.send(kAuthPoll);
  const Bytes answer = sim.receiveBytes();
  ASSERT_GE(answer.size(), 7u);
  EXPECT_EQ(answer[6], 0);  // refused
  EXPECT_EQ(sim.terminate(), 0);
}

TEST(SimBinary, SplitAnswersComeInPausedPiecesAndBadCrcHitsOnlyTheFirst) {
  SimProcess sim({"--split", "60", "--bad-crc", "1"});
  ASSERT_TRUE(sim.openPort(sim.portLine()));
  sim.send(encodeFrame(0xC0, {}));
  const std::vector<Chunk> chunks = sim.receive(milliseconds(200));
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_GE(chunks[2].at - chunks[0].at, milliseconds(100));
  Bytes joined;
  for (const Chunk& chunk : chunks)
    joined.insert(joined.end(), chunk.bytes.begin(), chunk.bytes.end());
  ASSERT_EQ(joined.size(), 8u);
  EXPECT_EQ(joined[5], 1);
  EXPECT_FALSE(crcValid(joined));

  sim.send(encodeFrame(0xC0, {}));
  EXPECT_EQ(sim.receiveBytes(milliseconds(200)), encodeFrame(0xC0, Bytes{1}));
  EXPECT_EQ(sim.terminate(), 0);
}

TEST(SimBinary, BannerOnOpenAndStateKeptAcrossRuns) {
  const auto state =
      std::filesystem::temp_directory_path() / ("sim_state_" + std::to_string(::getpid()));
  {
    SimProcess sim({"--banner", "--state", state.string()});
    ASSERT_TRUE(sim.openPort(sim.portLine()));
    const Bytes banner = sim.receiveBytes(milliseconds(500));
    EXPECT_EQ(std::string(banner.begin(), banner.end()), "Model: Larch V1.0\r\n");
    sim.send(encodeFrame(0x58, Bytes{6, 0, 40, 0, 2, 0xAA, 0xBB}));
    EXPECT_EQ(sim.receiveBytes(), encodeFrame(0x58, Bytes{6, 1}));
    EXPECT_EQ(sim.terminate(), 0);
  }
  SimProcess again({"--state", state.string()});
  ASSERT_TRUE(again.openPort(again.portLine()));
  again.send(encodeFrame(0x59, Bytes{6, 0, 40, 0, 2}));
  EXPECT_EQ(again.receiveBytes(), encodeFrame(0x59, Bytes{6, 0, 40, 0, 2, 0xAA, 0xBB}));
  EXPECT_EQ(again.terminate(), 0);
  std::filesystem::remove(state);
}

TEST(SimBinary, PacedAnswerTakesAsLongAsTheSerialLineWould) {
  SimProcess sim({"--pace", "115200"});
  ASSERT_TRUE(sim.openPort(sim.portLine()));
  const auto start = Clock::now();
  sim.send(encodeFrame(0x59, Bytes{5, 0, 0, 0x10, 0x00}));
  const std::vector<Chunk> chunks = sim.receive(milliseconds(200));
  ASSERT_FALSE(chunks.empty());
  std::size_t size = 0;
  for (const Chunk& chunk : chunks) size += chunk.bytes.size();
  EXPECT_EQ(size, 4096u + 12u);
  const auto took = chunks.back().at - start;  // 4,108 bytes at 11,520 bytes/s: 357 ms
  EXPECT_GE(took, milliseconds(330));
  EXPECT_LE(took, milliseconds(1000));
  EXPECT_EQ(sim.terminate(), 0);
}

TEST(SimBinary, UsageErrorExitsWithTwo) {
  SimProcess sim({"--code", "toolong"});
  EXPECT_EQ(sim.waitExit(), 2);
  EXPECT_NE(sim.errorText().find("4 characters"), std::string::npos);
}

}  // namespace
}  // namespace tracker::sim
