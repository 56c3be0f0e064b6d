// The early end of a delivery over a real pseudo-terminal: with the frame test
// installed, a whole frame is delivered at once; everything else still waits
// for the read interval, as without the test.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "protocol/frame.h"
#include "serial/comm.h"
#include "serial/owner_queue.h"
#include "serial/pty_pair.h"
#include "support/answer_frames.h"

namespace tracker {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::PtyPair;

// Long enough that "at once" and "after the interval" cannot be confused on a
// loaded machine or under a sanitizer.
constexpr auto kInterval = 400ms;
constexpr auto kAtOnce = 200ms;

class TCommEarlyEnd : public ::testing::Test {
 protected:
  TCommEarlyEnd() {
    comm.applyComm1Values();
    comm.SetReadIntervalTimeout(static_cast<std::uint32_t>(kInterval.count()));
    comm.SetCompletenessTest(FramesComplete);
    comm.SetCommName(pty.path());
    comm.OnReceiveData = [this](TComm&, const std::uint8_t* buffer, std::uint16_t length) {
      got.chunks.emplace_back(buffer, buffer + length);
      arrived.push_back(Clock::now());
    };
    comm.OpenComm();
  }
  // Writes the bytes and runs the owner until they have all been delivered;
  // returns how long that took from the end of the write.
  Clock::duration send(const Bytes& bytes) {
    got.chunks.clear();
    arrived.clear();
    pty.writeMaster(bytes);
    const auto written = Clock::now();
    EXPECT_TRUE(test::RunUntil(queue, [&] { return got.total() >= bytes.size(); }));
    EXPECT_EQ(got.joined(), bytes);
    return arrived.empty() ? Clock::duration::max() : arrived.back() - written;
  }

  PtyPair pty;
  OwnerQueue queue;
  TComm comm{queue.poster()};
  test::Deliveries got;
  std::vector<Clock::time_point> arrived;
};

TEST_F(TCommEarlyEnd, WholeFramesAreDeliveredAtOnce) {
  const Bytes small = AnswerFrame(0xE5, {0x01});
  const Bytes large = ReadAnswer(0x07, 0, Bytes(4100, 0x33));  // three chunks
  EXPECT_LT(send(small), kAtOnce);
  EXPECT_EQ(got.chunks.size(), 1u);
  EXPECT_LT(send(large), kAtOnce) << "the chunks of one answer are tested together";
  EXPECT_EQ(got.chunks.size(), 3u);
  EXPECT_EQ(got.chunks.front().size(), kReadChunkSize);
}

TEST_F(TCommEarlyEnd, FramesBackToBackAreDeliveredWhole) {
  const Bytes first = AnswerFrame(0xE5, {0x01});
  const Bytes second = ReadAnswer(0x01, 0x10, Bytes(300, 0x5A));
  Bytes both = first;
  both.insert(both.end(), second.begin(), second.end());
  EXPECT_LT(send(both), kAtOnce);
  for (const Bytes& chunk : got.chunks) EXPECT_TRUE(FramesComplete(chunk));
}

TEST_F(TCommEarlyEnd, EverythingElseWaitsForTheInterval) {
  const Bytes frame = AnswerFrame(0xE5, {0x01});
  Bytes badCrc = frame;
  badCrc.back() ^= 0x01;
  Bytes trailingNoise = frame;
  trailingNoise.push_back(0x00);
  const struct {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"an incomplete frame", Bytes(frame.begin(), frame.end() - 1)},
      {"a frame with a wrong CRC", badCrc},
      {"a frame followed by noise", trailingNoise},
      {"the banner", TextBytes("Model: Larch V1.0\r\n")},
      {"line noise", test::Pattern(100)},
  };
  for (const auto& c : cases) {
    const auto waited = send(c.bytes);
    EXPECT_GE(waited, kInterval - 50ms) << c.name;
    EXPECT_EQ(got.chunks.size(), 1u) << c.name;
  }
}

TEST_F(TCommEarlyEnd, AnAnswerSplitByAPauseIsDeliveredWhenItsLastPieceCompletesIt) {
  const Bytes frame = ReadAnswer(0x01, 0x10, Bytes(60, 0x11));
  pty.writeMaster(Bytes(frame.begin(), frame.begin() + 20));
  std::this_thread::sleep_for(50ms);  // a pause well inside the interval
  queue.runPending();
  EXPECT_TRUE(got.chunks.empty());
  pty.writeMaster(Bytes(frame.begin() + 20, frame.end()));
  const auto written = Clock::now();
  ASSERT_TRUE(test::RunUntil(queue, [&] { return !got.chunks.empty(); }));
  EXPECT_LT(arrived.back() - written, kAtOnce);
  EXPECT_EQ(got.chunks, std::vector<Bytes>{frame});
}

}  // namespace
}  // namespace tracker
