// Bytes both ways over a real pseudo-terminal: chunking, order, exactness.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "serial/comm.h"
#include "serial/owner_queue.h"
#include "serial/pty_pair.h"

namespace tracker {
namespace {

using namespace std::chrono_literals;
using test::PtyPair;

class TCommTransfer : public ::testing::Test {
 protected:
  TCommTransfer() {
    comm.applyComm1Values();
    comm.SetCommName(pty.path());
    got.attach(comm);
    comm.OpenComm();
  }
  bool receive(std::size_t count) {
    return test::RunUntil(queue, [&] { return got.total() >= count; });
  }

  PtyPair pty;
  OwnerQueue queue;
  TComm comm{queue.poster()};
  test::Deliveries got;
};

TEST_F(TCommTransfer, ABurstLongerThanAChunkArrivesInSeveralDeliveries) {
  const auto burst = test::Pattern(3000);
  pty.writeMaster(burst);
  ASSERT_TRUE(receive(3000));
  ASSERT_GE(got.chunks.size(), 2u);
  EXPECT_EQ(got.chunks.front().size(), 2048u);
  EXPECT_EQ(got.joined(), burst);
}

TEST_F(TCommTransfer, APauseEndsAChunkAndAShortAnswerStaysWhole) {
  pty.writeMaster({0x5A, 0xA5, 0x00, 0x03});
  std::this_thread::sleep_for(10ms);  // well inside the 30 ms interval
  pty.writeMaster({0x50, 0x01, 0x02});
  std::this_thread::sleep_for(120ms);
  pty.writeMaster({0x77});
  ASSERT_TRUE(receive(8));
  ASSERT_EQ(got.chunks.size(), 2u);
  EXPECT_EQ(got.chunks[0], (std::vector<std::uint8_t>{0x5A, 0xA5, 0x00, 0x03, 0x50, 0x01, 0x02}));
  EXPECT_EQ(got.chunks[1], std::vector<std::uint8_t>{0x77});
}

TEST_F(TCommTransfer, BytesCrossBothWaysExactly) {
  for (const std::size_t size : {1u, 2u, 255u, 2047u, 2048u, 2049u, 4096u, 10000u}) {
    got.chunks.clear();
    const auto toPort = test::Pattern(size, static_cast<std::uint32_t>(size));
    pty.writeMaster(toPort);
    ASSERT_TRUE(receive(size)) << size;
    EXPECT_EQ(got.joined(), toPort) << size;

    const auto fromPort = test::Pattern(size, static_cast<std::uint32_t>(size) + 7);
    ASSERT_TRUE(comm.SendData(fromPort.data(), static_cast<std::uint16_t>(size)));
    EXPECT_EQ(pty.readMaster(size, 5s), fromPort) << size;
  }
}

TEST_F(TCommTransfer, QueuedWritesKeepTheirOrderAndTheCallerMayReuseItsBuffer) {
  std::vector<std::uint8_t> expected;
  std::uint8_t buffer[3];
  for (std::uint8_t i = 0; i < 200; ++i) {
    buffer[0] = i;
    buffer[1] = static_cast<std::uint8_t>(~i);
    buffer[2] = 0;
    ASSERT_TRUE(comm.SendData(buffer, 3));
    expected.insert(expected.end(), buffer, buffer + 3);
  }
  EXPECT_EQ(pty.readMaster(expected.size(), 5s), expected);
}

TEST_F(TCommTransfer, IgnoreNullCharDropsZeroBytes) {
  comm.SetIgnoreNullChar(true);
  pty.writeMaster({0, 1, 0, 2, 0});
  ASSERT_TRUE(receive(2));
  queue.waitAndRun(100ms);
  EXPECT_EQ(got.joined(), (std::vector<std::uint8_t>{1, 2}));
}

}  // namespace
}  // namespace tracker
