// The Win32 TComm under Wine, with tracker-sim behind COM7 on the Linux side
// (comm_with_sim.sh starts it and names the case to run): opening and its
// errors, the line settings as Linux sees them, a delivery ended early by the
// frame test, deliveries ended by the read interval, and the hang-up when the
// simulator goes.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <thread>

#include "protocol/frame.h"
#include "serial/comm.h"
#include "serial/owner_queue.h"
#include "support/answer_frames.h"

namespace tracker {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The authorisation poll with no code: the simulator answers every poll.
const Bytes kPoll = AnswerFrame(0x50, {0x01, 0xFF, 0xFF, 0xFF, 0xFF});

bool RunUntil(OwnerQueue& queue, const std::function<bool()>& done,
              std::chrono::milliseconds timeout = 5s) {
  const auto deadline = Clock::now() + timeout;
  while (!done()) {
    if (Clock::now() >= deadline) return false;
    queue.waitAndRun(10ms);
  }
  return true;
}

class Win32Comm : public ::testing::Test {
 protected:
  Win32Comm() {
    comm.applyComm1Values();
    comm.SetCommName("COM7");
    comm.OnReceiveData = [this](TComm&, const std::uint8_t* buffer, std::uint16_t length) {
      chunks.emplace_back(buffer, buffer + length);
      arrived = Clock::now();
    };
    comm.OnRequestHangup = [this](TComm&) { hungUp = true; };
  }
  std::size_t received() const {
    std::size_t total = 0;
    for (const Bytes& chunk : chunks) total += chunk.size();
    return total;
  }

  OwnerQueue queue;
  TComm comm{queue.poster()};
  std::vector<Bytes> chunks;
  Clock::time_point arrived;
  bool hungUp = false;
};

// What `stty -a` says about the port, asked of the test's Linux side.
std::string LinuxLineSettings() {
  const char* probe = std::getenv("TRACKER_LINE_PROBE");
  if (probe == nullptr) return "no TRACKER_LINE_PROBE";
  const std::filesystem::path folder(probe);
  std::ofstream(folder / "opened").put('\n');
  for (int i = 0; i < 200 && !std::filesystem::exists(folder / "seen"); ++i) {
    std::this_thread::sleep_for(50ms);
  }
  std::ifstream seen(folder / "seen");
  std::ostringstream text;
  text << seen.rdbuf();
  return text.str();
}

TEST_F(Win32Comm, OpensAt115200_8N1AndEndsAWholeFrameAtOnce) {
  TComm missing{queue.poster()};
  missing.SetCommName("COM9");
  try {
    missing.OpenComm();
    ADD_FAILURE() << "COM9 opened";
  } catch (const ECommsError& e) {
    EXPECT_STREQ(e.what(), "Cannot open \\\\.\\COM9: no such port");
  }
  EXPECT_FALSE(missing.isOpen());

  // A long interval, so that "at once" cannot be mistaken for its end.
  comm.SetReadIntervalTimeout(400);
  comm.SetCompletenessTest(FramesComplete);
  comm.OpenComm();

  std::istringstream settings(LinuxLineSettings());
  const std::set<std::string> words{std::istream_iterator<std::string>(settings), {}};
  for (const char* expected :
       {"115200", "cs8", "-parenb", "-cstopb", "-crtscts", "-ixon", "-ixoff"}) {
    EXPECT_TRUE(words.contains(expected)) << expected << " not in what stty says";
  }

  ASSERT_TRUE(comm.SendData(kPoll.data(), static_cast<std::uint16_t>(kPoll.size())));
  const auto sent = Clock::now();
  ASSERT_TRUE(RunUntil(queue, [&] { return !chunks.empty(); }));
  ASSERT_EQ(chunks.size(), 1u);
  EXPECT_TRUE(FramesComplete(chunks.front()));
  EXPECT_LT(arrived - sent, 300ms);
  EXPECT_FALSE(hungUp);
}

TEST_F(Win32Comm, WithoutTheFrameTestEachPauseEndsADelivery) {
  comm.OpenComm();
  ASSERT_TRUE(comm.SendData(kPoll.data(), static_cast<std::uint16_t>(kPoll.size())));
  // The simulator sends the answer in three pieces, 200 ms apart.
  ASSERT_TRUE(RunUntil(queue, [&] { return chunks.size() == 3; }));
  queue.waitAndRun(300ms);
  EXPECT_EQ(chunks.size(), 3u);
  Bytes whole;
  for (const Bytes& chunk : chunks) whole.insert(whole.end(), chunk.begin(), chunk.end());
  EXPECT_TRUE(FramesComplete(whole));
  EXPECT_FALSE(hungUp);
}

TEST_F(Win32Comm, TheSimulatorGoingIsAHangUp) {
  comm.OpenComm();
  ASSERT_TRUE(comm.SendData(kPoll.data(), static_cast<std::uint16_t>(kPoll.size())));
  ASSERT_TRUE(RunUntil(queue, [&] { return received() > 0; }));
  // It closes its end of the line after its second answer.
  ASSERT_TRUE(comm.SendData(kPoll.data(), static_cast<std::uint16_t>(kPoll.size())));
  ASSERT_TRUE(RunUntil(
      queue, [&] { return hungUp; }, 10s));
  comm.CloseComm();
  EXPECT_FALSE(comm.isOpen());
}

}  // namespace
}  // namespace tracker
