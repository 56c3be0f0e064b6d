// Many openings and closings with traffic both ways: no leak, no hang.

#include <gtest/gtest.h>

#include <chrono>

#include "serial/comm.h"
#include "serial/owner_queue.h"
#include "serial/pty_pair.h"

namespace tracker {
namespace {

using namespace std::chrono_literals;

TEST(TCommStress, FiveHundredOpeningsWithTrafficLeakNothing) {
  test::PtyPair pty;
  OwnerQueue queue;
  const std::size_t descriptorsBefore = test::OpenDescriptorCount();
  const auto started = std::chrono::steady_clock::now();
  {
    TComm comm(queue.poster());
    comm.applyComm1Values();
    comm.SetCommName(pty.path());
    test::Deliveries got;
    got.attach(comm);
    const auto bytes = test::Pattern(64);
    for (int round = 0; round < 500; ++round) {
      comm.OpenComm();
      ASSERT_TRUE(comm.SendData(bytes.data(), 64));
      pty.writeMaster(bytes);
      // Every 50th round checks a whole round trip; the others close mid-flight.
      if (round % 50 == 0) {
        got.chunks.clear();
        ASSERT_TRUE(test::RunUntil(queue, [&] { return got.total() == 64; })) << round;
        EXPECT_EQ(got.joined(), bytes);
        EXPECT_EQ(pty.readMaster(64, 2s), bytes);
      }
      comm.CloseComm();
      queue.runPending();
      pty.readMaster(SIZE_MAX, 0ms);  // drain what the device side got
    }
  }
  queue.runPending();
  EXPECT_EQ(test::OpenDescriptorCount(), descriptorsBefore);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 20s);
}

}  // namespace
}  // namespace tracker
