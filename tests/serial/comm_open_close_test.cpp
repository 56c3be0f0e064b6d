// Opening, closing and their failures, over a real pseudo-terminal.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "serial/comm.h"
#include "serial/owner_queue.h"
#include "serial/pty_pair.h"

namespace tracker {
namespace {

using namespace std::chrono_literals;
using test::PtyPair;

class TCommOpenClose : public ::testing::Test {
 protected:
  TCommOpenClose() {
    comm.applyComm1Values();
    comm.SetCommName(pty.path());
  }

  void expectOpenError(const std::string& name, const std::string& message) {
    comm.SetCommName(name);
    try {
      comm.OpenComm();
      FAIL() << "no error for " << name;
    } catch (const ECommsError& error) {
      EXPECT_EQ(error.what(), message) << name;
    }
    EXPECT_FALSE(comm.isOpen());
  }

  PtyPair pty;
  OwnerQueue queue;
  TComm comm{queue.poster()};
};

TEST_F(TCommOpenClose, SendDataRefusesWhileClosedOrEmpty) {
  const std::uint8_t byte = 0x5A;
  EXPECT_FALSE(comm.SendData(&byte, 1));
  comm.OpenComm();
  EXPECT_FALSE(comm.SendData(&byte, 0));
  EXPECT_TRUE(comm.sendDataEmpty());
  EXPECT_TRUE(pty.readMaster(1, 100ms).empty());
  EXPECT_TRUE(comm.SendData(&byte, 1));
  EXPECT_EQ(pty.readMaster(1, 2s), std::vector<std::uint8_t>{0x5A});
}

TEST_F(TCommOpenClose, SecondOpenRaisesAndKeepsTheFirst) {
  comm.OpenComm();
  try {
    comm.OpenComm();
    FAIL() << "second OpenComm did not raise";
  } catch (const ECommsError& error) {
    EXPECT_STREQ(error.what(), "This serial port already opened");
  }
  ASSERT_TRUE(comm.isOpen());
  test::Deliveries got;
  got.attach(comm);
  pty.writeMaster({1, 2, 3});
  ASSERT_TRUE(test::RunUntil(queue, [&] { return got.total() == 3; }));
  const std::uint8_t reply[] = {4, 5};
  ASSERT_TRUE(comm.SendData(reply, 2));
  EXPECT_EQ(pty.readMaster(2, 2s), (std::vector<std::uint8_t>{4, 5}));
}

TEST_F(TCommOpenClose, BadNamesRaiseNamingThePortAndTheReasonAndALaterOpenWorks) {
  expectOpenError("ttyDoesNotExist7", "Cannot open /dev/ttyDoesNotExist7: no such port");
  expectOpenError("", "Cannot open /dev/: no such port");
  expectOpenError("None", "Cannot open /dev/None: no such port");
  {
    OwnerQueue other;
    TComm first(other.poster());
    first.SetCommName(pty.path());
    first.OpenComm();
    expectOpenError(pty.path(), "Cannot open " + pty.path() + ": in use by another program");
  }
  comm.SetCommName(pty.bareName());  // "pts/N" stands for /dev/pts/N
  comm.OpenComm();
  EXPECT_TRUE(comm.isOpen());
}

TEST_F(TCommOpenClose, NonTerminalsAreNotCommHandles) {
  const auto file = std::filesystem::temp_directory_path() / "serial_test_plain_file";
  std::ofstream(file) << "not a port";
  expectOpenError(file.string(), "File handle is not a comm handle ");
  expectOpenError("/dev/null", "File handle is not a comm handle ");
  std::filesystem::remove(file);
  comm.SetCommName(pty.path());
  comm.OpenComm();
  EXPECT_TRUE(comm.isOpen());
}

TEST_F(TCommOpenClose, PortInUseRaisesUntilReleased) {
  comm.OpenComm();
  TComm other(queue.poster());
  other.SetCommName(pty.path());
  EXPECT_THROW(other.OpenComm(), ECommsError);
  EXPECT_FALSE(other.isOpen());
  comm.CloseComm();
  other.OpenComm();
  EXPECT_TRUE(other.isOpen());
}

TEST_F(TCommOpenClose, CloseWhileClosedDoesNothing) {
  comm.CloseComm();
  comm.OpenComm();
  comm.CloseComm();
  comm.CloseComm();
  EXPECT_FALSE(comm.isOpen());
  comm.OpenComm();
  EXPECT_TRUE(comm.isOpen());
}

TEST_F(TCommOpenClose, CloseDuringABlockedWriteReturnsPromptly) {
  comm.OpenComm();
  // Nobody reads the master: the terminal's buffers fill and the writer waits.
  const auto block = test::Pattern(60000);
  for (int i = 0; i < 8; ++i) ASSERT_TRUE(comm.SendData(block.data(), 60000));
  std::this_thread::sleep_for(200ms);
  EXPECT_FALSE(comm.sendDataEmpty());
  const auto started = std::chrono::steady_clock::now();
  comm.CloseComm();
  EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
  EXPECT_TRUE(comm.sendDataEmpty());
  EXPECT_FALSE(comm.SendData(block.data(), 1));
}

TEST_F(TCommOpenClose, SendDataEmptyIsReportedOncePerIdlePeriod) {
  int empties = 0;
  comm.OnSendDataEmpty = [&](TComm&) { ++empties; };
  comm.OpenComm();
  ASSERT_TRUE(test::RunUntil(queue, [&] { return empties == 1; }));
  const auto bytes = test::Pattern(100);
  ASSERT_TRUE(comm.SendData(bytes.data(), 100));
  EXPECT_EQ(pty.readMaster(100, 2s), bytes);
  ASSERT_TRUE(test::RunUntil(queue, [&] { return empties == 2; }));
  queue.waitAndRun(100ms);
  EXPECT_EQ(empties, 2);
  EXPECT_TRUE(comm.sendDataEmpty());
}

TEST_F(TCommOpenClose, DeviceHangupIsRequested) {
  int hangups = 0;
  comm.OnRequestHangup = [&](TComm&) { ++hangups; };
  comm.OpenComm();
  pty.closeMaster();
  EXPECT_TRUE(test::RunUntil(queue, [&] { return hangups > 0; }));
  EXPECT_TRUE(comm.isOpen());  // stays open until closed
  comm.CloseComm();
}

TEST_F(TCommOpenClose, NotificationsAfterCloseAreDropped) {
  test::Deliveries got;
  got.attach(comm);
  comm.OpenComm();
  pty.writeMaster({9, 9, 9});
  std::this_thread::sleep_for(150ms);  // posted, not yet run
  comm.CloseComm();
  queue.runPending();
  EXPECT_TRUE(got.chunks.empty());
}

TEST(TCommLifetime, DestructionClosesAndLateNotificationsFindNobody) {
  PtyPair pty;
  OwnerQueue queue;
  const std::size_t before = test::OpenDescriptorCount();
  {
    TComm comm(queue.poster());
    comm.applyComm1Values();
    comm.SetCommName(pty.path());
    int calls = 0;
    comm.OnReceiveData = [&calls](TComm&, const std::uint8_t*, std::uint16_t) { ++calls; };
    comm.OpenComm();
    pty.writeMaster({1, 2, 3});
    std::this_thread::sleep_for(150ms);
  }
  queue.runPending();  // the posted chunk must not reach the destroyed component
  EXPECT_EQ(test::OpenDescriptorCount(), before);
  TComm again(queue.poster());
  again.SetCommName(pty.path());
  again.OpenComm();  // the port was released
  EXPECT_TRUE(again.isOpen());
}

}  // namespace
}  // namespace tracker
