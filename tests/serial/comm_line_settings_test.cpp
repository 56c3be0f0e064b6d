// Line settings and time-outs: what reaches the terminal, and when.

#include <gtest/gtest.h>
#include <termios.h>

#include <chrono>
#include <thread>

#include "serial/comm.h"
#include "serial/line_settings.h"
#include "serial/owner_queue.h"
#include "serial/pty_pair.h"

namespace tracker {
namespace {

using namespace std::chrono_literals;
using test::PtyPair;

termios SettingsOf(int fd) {
  termios settings{};
  EXPECT_EQ(tcgetattr(fd, &settings), 0);
  return settings;
}

speed_t OutputSpeed(int fd) {
  const termios settings = SettingsOf(fd);
  return cfgetospeed(&settings);
}

// The properties the window's Comm1 changes from the defaults.
struct Comm1Fields {
  std::int32_t baud;
  TDtrControl dtr;
  TRtsControl rts;
  bool txContinueOnXoff;
  bool outXonXoff;
  bool inXonXoff;
  std::uint32_t readInterval;
  bool operator==(const Comm1Fields&) const = default;
};

Comm1Fields Comm1FieldsOf(const TComm& comm) {
  return {comm.BaudRate(),           comm.DtrControl(),       comm.RtsControl(),
          comm.TxContinueOnXoff(),   comm.Outx_XonXoffFlow(), comm.Inx_XonXoffFlow(),
          comm.ReadIntervalTimeout()};
}

TEST(TCommProperties, DefaultsAndComm1Values) {
  OwnerQueue queue;
  TComm comm(queue.poster());
  EXPECT_EQ(comm.CommName(), "COM2");
  EXPECT_TRUE((Comm1FieldsOf(comm) == Comm1Fields{9600, TDtrControl::DtrEnable,
                                                  TRtsControl::RtsEnable, true, true, true, 100}));
  comm.applyComm1Values();
  EXPECT_TRUE(
      (Comm1FieldsOf(comm) == Comm1Fields{115200, TDtrControl::DtrDisable, TRtsControl::RtsDisable,
                                          false, false, false, 30}));
  EXPECT_EQ(comm.XonLimit(), 500);
  EXPECT_EQ(comm.XoffChar(), 0x13);
}

class TCommLine : public ::testing::Test {
 protected:
  TCommLine() {
    comm.applyComm1Values();
    comm.SetCommName(pty.path());
  }
  PtyPair pty;
  OwnerQueue queue;
  TComm comm{queue.poster()};
};

TEST_F(TCommLine, Comm1RunsRaw115200EightNoneOne) {
  comm.OpenComm();
  const termios settings = SettingsOf(pty.master());
  EXPECT_EQ(cfgetospeed(&settings), B115200);
  EXPECT_EQ(cfgetispeed(&settings), B115200);
  EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(settings.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | INPCK | ICRNL | ISTRIP), 0u);
  EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(settings.c_oflag & OPOST, 0u);
}

TEST_F(TCommLine, BaudRateAppliesAtOnceAndAnEqualValueLeavesThePortAlone) {
  comm.OpenComm();
  comm.SetBaudRate(921600);
  EXPECT_EQ(OutputSpeed(pty.master()), B921600);
  comm.SetBaudRate(9600);
  EXPECT_EQ(OutputSpeed(pty.master()), B9600);

  // Someone else changes the speed; storing the current value must not re-apply.
  termios changed = SettingsOf(pty.slave());
  cfsetospeed(&changed, B19200);
  cfsetispeed(&changed, B19200);
  ASSERT_EQ(tcsetattr(pty.slave(), TCSANOW, &changed), 0);
  comm.SetBaudRate(9600);
  EXPECT_EQ(OutputSpeed(pty.master()), B19200);
}

TEST_F(TCommLine, ParityWaitsForTheNextOpening) {
  comm.OpenComm();
  // A pseudo-terminal keeps no parity-enable bit, but it keeps PARODD.
  comm.SetParity(TParity::Odd);
  EXPECT_EQ(SettingsOf(pty.master()).c_cflag & PARODD, 0u);
  comm.CloseComm();
  comm.OpenComm();
  EXPECT_NE(SettingsOf(pty.master()).c_cflag & PARODD, 0u);
}

TEST_F(TCommLine, OtherLinePropertiesApplyAtOnce) {
  comm.OpenComm();
  comm.SetStopBits(TStopBits::_2);
  comm.SetOutx_XonXoffFlow(true);
  comm.SetOutx_CtsFlow(true);
  const termios settings = SettingsOf(pty.master());
  EXPECT_NE(settings.c_cflag & CSTOPB, 0u);
  EXPECT_NE(settings.c_iflag & IXON, 0u);
  EXPECT_NE(settings.c_cflag & CRTSCTS, 0u);
}

TEST_F(TCommLine, ReadIntervalChangeAppliesToTheNextChunk) {
  test::Deliveries got;
  got.attach(comm);
  comm.OpenComm();
  comm.SetReadIntervalTimeout(400);
  pty.writeMaster({1, 2});
  std::this_thread::sleep_for(100ms);
  pty.writeMaster({3, 4});
  ASSERT_TRUE(test::RunUntil(queue, [&] { return got.total() == 4; }));
  EXPECT_EQ(got.chunks.size(), 1u);  // a 100 ms pause no longer ends the chunk
}

TEST(LineSettings, TermiosFollowsTheProperties) {
  struct Case {
    TParity parity;
    tcflag_t set;
    tcflag_t clear;
  };
  const Case cases[] = {
      {TParity::None, 0, PARENB | PARODD | CMSPAR}, {TParity::Odd, PARENB | PARODD, CMSPAR},
      {TParity::Even, PARENB, PARODD | CMSPAR},     {TParity::Mark, PARENB | PARODD | CMSPAR, 0},
      {TParity::Space, PARENB | CMSPAR, PARODD},
  };
  for (const Case& c : cases) {
    CommLineProperties props;
    props.Parity = c.parity;
    termios settings{};
    settings.c_cflag = PARENB | PARODD | CMSPAR;  // leftovers from the driver
    BuildTermios(props, settings);
    EXPECT_EQ(settings.c_cflag & c.set, c.set) << static_cast<int>(c.parity);
    EXPECT_EQ(settings.c_cflag & c.clear, 0u) << static_cast<int>(c.parity);
  }
  CommLineProperties props;  // component defaults: XON/XOFF both ways
  props.ByteSize = TByteSize::_5;
  props.XonChar = 0x21;
  props.ParityCheck = true;
  termios settings{};
  BuildTermios(props, settings);
  EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS5));
  EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | INPCK), static_cast<tcflag_t>(IXON | IXOFF | INPCK));
  EXPECT_EQ(settings.c_cc[VSTART], 0x21);
  EXPECT_EQ(settings.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
}

TEST(LineSettings, StandardRatesOnlyAndUnknownRatesKeepTheDriverSpeed) {
  EXPECT_EQ(BaudToSpeed(115200), B115200);
  EXPECT_EQ(BaudToSpeed(921600), B921600);
  EXPECT_EQ(SpeedToBaud(B230400), 230400);
  EXPECT_FALSE(BaudToSpeed(12345).has_value());
  EXPECT_FALSE(BaudToSpeed(0).has_value());
  CommLineProperties props;
  props.BaudRate = 12345;
  termios settings{};
  cfsetospeed(&settings, B57600);
  BuildTermios(props, settings);
  EXPECT_EQ(cfgetospeed(&settings), B57600);
}

}  // namespace
}  // namespace tracker
