// Runs the real tracker-sim binary and talks to it over its pseudo-terminal.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/e2e_processes.h"
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

// The editor's end of the simulator's pseudo-terminal.
class PortClient {
 public:
  ~PortClient() { close(); }

  bool open(const std::string& path) {
    port_ = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    return port_ >= 0;
  }

  void close() {
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
    while (Clock::now() < end && waitReadable(quiet)) {
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

 private:
  bool waitReadable(milliseconds timeout) const {
    pollfd p{port_, POLLIN, 0};
    return ::poll(&p, 1, static_cast<int>(timeout.count())) > 0 && (p.revents & POLLIN) != 0;
  }

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
  test::SimProcess sim({"--port-file", portFile.string(), "--model", "Cedar"});
  PortClient simLink;
  const std::string port = sim.port();
  ASSERT_TRUE(port.starts_with("/dev/")) << port;
  std::string fromFile;
  std::getline(std::ifstream(portFile), fromFile);
  EXPECT_EQ(fromFile, port);
  std::filesystem::remove(portFile);

  ASSERT_TRUE(simLink.open(port));
  simLink.send(kAuthPoll);
  const Bytes answer = simLink.receiveBytes();
  ASSERT_GE(answer.size(), 12u);
  EXPECT_EQ(Bytes(answer.begin(), answer.begin() + 2), (Bytes{0x5A, 0xA5}));
  EXPECT_EQ(std::size_t{answer[2]} * 256 + answer[3] + 6, answer.size());
  EXPECT_EQ(answer[4], 0x50);
  EXPECT_EQ(answer[6], 1);  // accepted
  EXPECT_TRUE(crcValid(answer));
  const std::string info(answer.begin() + 10, answer.end());
  EXPECT_EQ(info.rfind("FW1.0-Cedar,860000000000001,", 0), 0u) << info;

  simLink.close();
  ASSERT_TRUE(simLink.open(port));
  simLink.send(kDefault);
  EXPECT_EQ(simLink.receiveBytes(), encodeFrame(0xE5, Bytes{1}));
  EXPECT_EQ(sim.stop(), 0);
}

TEST(SimBinary, RefusesAWrongCodeAndKeepsSilentWhereTold) {
  test::SimProcess sim({"--code", "1234", "--silent", "0xE5"});
  PortClient simLink;
  ASSERT_TRUE(simLink.open(sim.port()));
  simLink.send(kDefault);
  EXPECT_TRUE(simLink.receiveBytes(milliseconds(300)).empty());
  simLink.send(kAuthPoll);
  const Bytes answer = simLink.receiveBytes();
  ASSERT_GE(answer.size(), 7u);
  EXPECT_EQ(answer[6], 0);  // refused
  EXPECT_EQ(sim.stop(), 0);
}

TEST(SimBinary, SplitAnswersComeInPausedPiecesAndBadCrcHitsOnlyTheFirst) {
  test::SimProcess sim({"--split", "60", "--bad-crc", "1"});
  PortClient simLink;
  ASSERT_TRUE(simLink.open(sim.port()));
  simLink.send(encodeFrame(0xC0, {}));
  const std::vector<Chunk> chunks = simLink.receive(milliseconds(200));
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_GE(chunks[2].at - chunks[0].at, milliseconds(100));
  Bytes joined;
  for (const Chunk& chunk : chunks)
    joined.insert(joined.end(), chunk.bytes.begin(), chunk.bytes.end());
  ASSERT_EQ(joined.size(), 8u);
  EXPECT_EQ(joined[5], 1);
  EXPECT_FALSE(crcValid(joined));

  simLink.send(encodeFrame(0xC0, {}));
  EXPECT_EQ(simLink.receiveBytes(milliseconds(200)), encodeFrame(0xC0, Bytes{1}));
  EXPECT_EQ(sim.stop(), 0);
}

TEST(SimBinary, BannerOnOpenAndStateKeptAcrossRuns) {
  const auto state =
      std::filesystem::temp_directory_path() / ("sim_state_" + std::to_string(::getpid()));
  {
    test::SimProcess sim({"--banner", "--state", state.string()});
    PortClient simLink;
    ASSERT_TRUE(simLink.open(sim.port()));
    const Bytes banner = simLink.receiveBytes(milliseconds(500));
    EXPECT_EQ(std::string(banner.begin(), banner.end()), "Model: Larch V1.0\r\n");
    simLink.send(encodeFrame(0x58, Bytes{6, 0, 40, 0, 2, 0xAA, 0xBB}));
    EXPECT_EQ(simLink.receiveBytes(), encodeFrame(0x58, Bytes{6, 1}));
    EXPECT_EQ(sim.stop(), 0);
  }
  test::SimProcess again({"--state", state.string()});
  PortClient againLink;
  ASSERT_TRUE(againLink.open(again.port()));
  againLink.send(encodeFrame(0x59, Bytes{6, 0, 40, 0, 2}));
  EXPECT_EQ(againLink.receiveBytes(), encodeFrame(0x59, Bytes{6, 0, 40, 0, 2, 0xAA, 0xBB}));
  EXPECT_EQ(again.stop(), 0);
  std::filesystem::remove(state);
}

TEST(SimBinary, PacedAnswerTakesAsLongAsTheSerialLineWould) {
  test::SimProcess sim({"--pace", "115200"});
  PortClient simLink;
  ASSERT_TRUE(simLink.open(sim.port()));
  const auto start = Clock::now();
  simLink.send(encodeFrame(0x59, Bytes{5, 0, 0, 0x10, 0x00}));
  const std::vector<Chunk> chunks = simLink.receive(milliseconds(200));
  ASSERT_FALSE(chunks.empty());
  std::size_t size = 0;
  for (const Chunk& chunk : chunks) size += chunk.bytes.size();
  EXPECT_EQ(size, 4096u + 12u);
  const auto took = chunks.back().at - start;  // 4,108 bytes at 11,520 bytes/s: 357 ms
  EXPECT_GE(took, milliseconds(330));
  EXPECT_LE(took, milliseconds(1000));
  EXPECT_EQ(sim.stop(), 0);
}

TEST(SimBinary, PacedRequestIsAnsweredOnlyAfterItsLineTime) {
  test::SimProcess sim({"--pace", "115200"});
  PortClient simLink;
  ASSERT_TRUE(simLink.open(sim.port()));
  Bytes write = {99, 0x00, 0x00, 0x04, 0x7E};  // 1,150 bytes to a block that is not there
  write.resize(5 + 1150, 0x33);
  const auto start = Clock::now();
  simLink.send(encodeFrame(0x58, write));
  const std::vector<Chunk> chunks = simLink.receive(milliseconds(200));
  ASSERT_FALSE(chunks.empty());
  const auto took = chunks.front().at - start;  // 1,162 bytes at 11,520 bytes/s: 101 ms
  EXPECT_GE(took, milliseconds(95));
  EXPECT_LE(took, milliseconds(800));
  EXPECT_EQ(sim.stop(), 0);
}

TEST(SimBinary, LinkLeadsToThePortWhileServingAndGoesWithTheSimulator) {
  const test::TempFolder folder;
  const std::filesystem::path link = folder / "ttyTRK0";
  {
    test::SimProcess sim({"--link", link.string()});
    EXPECT_EQ(std::filesystem::read_symlink(link), sim.port());
    // A file already there is never replaced.
    const test::CliRun clash =
        test::RunProgram(TRACKER_SIM_PATH, folder, {"--link", link.string()});
    EXPECT_EQ(clash.status, 1);
    EXPECT_NE(clash.err.find("cannot link " + link.string()), std::string::npos) << clash.err;
    EXPECT_EQ(std::filesystem::read_symlink(link), sim.port());
  }
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(SimBinary, UsageErrorExitsWithTwo) {
  const test::TempFolder folder;
  const test::CliRun run = test::RunProgram(TRACKER_SIM_PATH, folder, {"--code", "toolong"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("4 characters"), std::string::npos);
  EXPECT_TRUE(run.err.ends_with(" (see --help)\n")) << run.err;
  const test::CliRun version = test::RunProgram(TRACKER_SIM_PATH, folder, {"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "tracker-sim " TRACKER_VERSION "\n");
}

}  // namespace
}  // namespace tracker::sim
