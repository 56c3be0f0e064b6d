// Framing: CRC, SendFrame layout and FindFrame's acceptance rules.

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "codec/read_requests.h"
#include "protocol/block_map.h"
#include "protocol/commands.h"
#include "protocol/crc16.h"
#include "protocol/protocol_context.h"
#include "support/recording_link.h"

namespace tracker {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(Crc16, CatalogueCheckValue) {
  constexpr std::string_view kDigits = "123456789";
  const Bytes bytes(kDigits.begin(), kDigits.end());
  EXPECT_EQ(Crc16(bytes), 0x29B1);
}

TEST(Crc16, BitwiseStepAgreesWithTable) {
  // The table-free step, as a second formulation of the same CRC.
  auto bitwise = [](std::uint16_t crc, std::uint8_t byte) {
    std::uint8_t x = static_cast<std::uint8_t>(byte ^ (crc >> 8));
    std::uint16_t c = 0;
    for (int i = 0; i < 8; ++i) {
      c = (c & 0x8000) ? static_cast<std::uint16_t>((c << 1) ^ 0x1021)
                       : static_cast<std::uint16_t>(c << 1);
      if (x & 0x80) c ^= 0x1021;
      x = static_cast<std::uint8_t>(x << 1);
    }
    return static_cast<std::uint16_t>((crc << 8) ^ c);
  };
  for (unsigned crc : {0x0000u, 0xFFFFu, 0x1234u, 0x8001u}) {
    for (unsigned b = 0; b < 256; ++b) {
      ASSERT_EQ(Crc16Update(static_cast<std::uint16_t>(crc), static_cast<std::uint8_t>(b)),
                bitwise(static_cast<std::uint16_t>(crc), static_cast<std::uint8_t>(b)));
    }
  }
}

class FrameTest : public ::testing::Test {
 protected:
  RecordingLink link;
  ProtocolContext context{&link};

  void receive(const Bytes& bytes) { context.setReceived(bytes); }
};

TEST_F(FrameTest, KnownFrames) {
  context.clearPayload();
  context.SendFrame(CmdDefault);
  EXPECT_EQ(link.last(), (Bytes{0x5A, 0xA5, 0x00, 0x01, 0xE5, 0x8A, 0x19}));

  BuildReadRequest(context, ReqGprs);
  context.SendFrame(CmdReadBlock);
  EXPECT_EQ(link.last(),
            (Bytes{0x5A, 0xA5, 0x00, 0x06, 0x59, 0x01, 0x00, 0x10, 0x00, 0xFF, 0x92, 0x67}));
  EXPECT_EQ(context.PayloadLength, 5) << "SendFrame leaves the payload as it was";

  context.clearPayload();
  context.append(std::initializer_list<std::uint8_t>{0x01, 0xFF, 0xFF, 0xFF, 0xFF});
  context.SendFrame(CmdAuthorise);
  EXPECT_EQ(link.last(),
            (Bytes{0x5A, 0xA5, 0x00, 0x06, 0x50, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x1E, 0xD9}));
}

TEST_F(FrameTest, SendWithoutLinkStillBuildsTheFrame) {
  ProtocolContext unlinked;
  unlinked.clearPayload();
  unlinked.SendFrame(CmdDefault);
  EXPECT_EQ(unlinked.FrameBuffer[4], CmdDefault);
  EXPECT_EQ(unlinked.FrameBuffer[6], 0x19);
}

TEST_F(FrameTest, ShortDeliveriesHoldNoFrame) {
  for (std::size_t n = 0; n <= 5; ++n) {
    Bytes bytes(n, 0x00);
    if (n >= 2) {
      bytes[0] = 0x5A;
      bytes[1] = 0xA5;
    }
    receive(bytes);
    EXPECT_EQ(context.FindFrame(0), 0) << n << " bytes";
  }
}

Bytes framed(Bytes payloadWithCommand) {
  Bytes frame;
  frame.reserve(payloadWithCommand.size() + 6);
  for (std::uint8_t b : {std::uint8_t{0x5A}, std::uint8_t{0xA5}, std::uint8_t{0x00},
                         static_cast<std::uint8_t>(payloadWithCommand.size())}) {
    frame.push_back(b);
  }
  for (std::uint8_t b : payloadWithCommand) frame.push_back(b);
  const std::uint16_t crc = Crc16(frame);
  frame.push_back(static_cast<std::uint8_t>(crc >> 8));
  frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  return frame;
}

TEST_F(FrameTest, FindsFramesAndRejectsBrokenOnes) {
  const Bytes answer = framed({0xE5, 0x01});

  receive(answer);
  EXPECT_EQ(context.FindFrame(0), 4);
  EXPECT_EQ(context.FrameLength, 2);

  Bytes partial(answer.begin(), answer.end() - 1);
  receive(partial);
  EXPECT_EQ(context.FindFrame(0), 0) << "incomplete frame";

  Bytes trailing = answer;
  trailing.insert(trailing.end(), {0x00, 0x5A, 0xA5, 0x13});
  receive(trailing);
  EXPECT_EQ(context.FindFrame(0), 4) << "bytes after the frame are ignored";

  Bytes stray{0x01, 0x02, 0x03};
  stray.insert(stray.end(), answer.begin(), answer.end());
  receive(stray);
  EXPECT_EQ(context.FindFrame(0), 7) << "stray bytes without a header are skipped";

  Bytes badCrc = answer;
  badCrc.back() ^= 0x01;
  receive(badCrc);
  EXPECT_EQ(context.FindFrame(0), 0);
}

TEST_F(FrameTest, OnlyTheFirstHeaderIsTried) {
  Bytes bytes{0x5A, 0xA5, 0x00, 0x03, 0x99};
  const Bytes answer = framed({0xE5, 0x01});
  bytes.insert(bytes.end(), answer.begin(), answer.end());
  receive(bytes);
  EXPECT_EQ(context.FindFrame(0), 0);
  EXPECT_EQ(context.FrameLength, 3) << "the rejected header's length stays";
}

TEST_F(FrameTest, HugeLengthFieldDoesNotReadPastTheDelivery) {
  receive({0x5A, 0xA5, 0xFF, 0xFF, 0x59, 0x01, 0x02});
  EXPECT_EQ(context.FindFrame(0), 0);
  EXPECT_EQ(context.FrameLength, 0xFFFF);
}

TEST(ReverseBytes, ReversesAndCounts) {
  const std::uint8_t source[] = {1, 2, 3, 4};
  std::uint8_t destination[4] = {};
  EXPECT_EQ(ReverseBytes(source, destination, 4), 4);
  EXPECT_EQ(destination[0], 4);
  EXPECT_EQ(destination[3], 1);
  EXPECT_EQ(ReverseBytes(source, destination, 0), 0);
  EXPECT_EQ(ReverseBytes(source, destination, -3), 0);
}

TEST(PayloadLimit, AppendBeyondTheFrameLimitIsRefused) {
  ProtocolContext context;
  context.clearPayload();
  context.appendZeros(kMaxPayload);
  EXPECT_THROW(context.append(0x00), EPayloadTooLong);
  EXPECT_EQ(context.PayloadLength, kMaxPayload);
}

}  // namespace
}  // namespace tracker
