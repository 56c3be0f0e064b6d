// Framing: CRC, the frame layout and the scanner's acceptance rules.

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "codec/read_requests.h"
#include "protocol/block_map.h"
#include "protocol/commands.h"
#include "protocol/crc16.h"
#include "protocol/frame.h"

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

TEST(Crc16, WholeRunAgreesWithByteSteps) {
  // Four bytes at a time, then the rest: every length up to a few words.
  Bytes bytes;
  std::uint16_t stepped = kCrcInitial;
  for (unsigned n = 0; n <= 40; ++n) {
    ASSERT_EQ(Crc16(bytes), stepped) << n << " bytes";
    bytes.push_back(static_cast<std::uint8_t>(n * 151 + 7));
    stepped = Crc16Update(stepped, bytes.back());
  }
}

class FrameTest : public ::testing::Test {
 protected:
  // The command byte's position of the frame found, or 0 without one.
  static std::size_t found(const Bytes& bytes) {
    const FrameScan scan = ScanFrames(bytes);
    return scan.found() ? scan.header + 4 : 0;
  }
};

TEST_F(FrameTest, KnownFrames) {
  EXPECT_EQ(EncodeFrame(CmdDefault, {}), (Bytes{0x5A, 0xA5, 0x00, 0x01, 0xE5, 0x8A, 0x19}));
  EXPECT_EQ(EncodeFrame(CmdReadBlock, ReadRequest(ReqGprs)),
            (Bytes{0x5A, 0xA5, 0x00, 0x06, 0x59, 0x01, 0x00, 0x10, 0x00, 0xFF, 0x92, 0x67}));
  EXPECT_EQ(EncodeFrame(CmdAuthorise, Bytes{0x01, 0xFF, 0xFF, 0xFF, 0xFF}),
            (Bytes{0x5A, 0xA5, 0x00, 0x06, 0x50, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x1E, 0xD9}));
}

TEST_F(FrameTest, EncodedFramesReadBackAsViews) {
  const Bytes frame = EncodeFrame(CmdDefault, {});
  EXPECT_EQ(frame, (Bytes{0x5A, 0xA5, 0x00, 0x01, 0xE5, 0x8A, 0x19}));
  const Bytes payload{0x01, 0x02, 0x03};
  const Bytes request = EncodeFrame(CmdReadBlock, payload);
  const auto view = FrameAt(request);
  ASSERT_TRUE(view);
  EXPECT_EQ(view->command, CmdReadBlock);
  EXPECT_EQ(Bytes(view->payload.begin(), view->payload.end()), payload);
  EXPECT_FALSE(FrameAt(Bytes(request.begin(), request.begin() + 4))) << "no command byte yet";
  EXPECT_FALSE(FrameAt(request, kNoFrame));
  EXPECT_THROW(EncodeFrame(CmdRfidAdd, Bytes(kMaxPayload + 1, 0)), EPayloadTooLong);
}

TEST_F(FrameTest, ShortDeliveriesHoldNoFrame) {
  for (std::size_t n = 0; n <= 5; ++n) {
    Bytes bytes(n, 0x00);
    if (n >= 2) {
      bytes[0] = 0x5A;
      bytes[1] = 0xA5;
    }
    EXPECT_EQ(found(bytes), 0u) << n << " bytes";
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

  EXPECT_EQ(found(answer), 4u);
  EXPECT_EQ(ScanFrames(answer).length, 2);

  Bytes partial(answer.begin(), answer.end() - 1);
  EXPECT_EQ(found(partial), 0u) << "incomplete frame";

  Bytes trailing = answer;
  trailing.insert(trailing.end(), {0x00, 0x5A, 0xA5, 0x13});
  EXPECT_EQ(found(trailing), 4u) << "bytes after the frame are ignored";

  Bytes stray{0x01, 0x02, 0x03};
  stray.insert(stray.end(), answer.begin(), answer.end());
  EXPECT_EQ(found(stray), 7u) << "stray bytes without a header are skipped";

  Bytes badCrc = answer;
  badCrc.back() ^= 0x01;
  EXPECT_EQ(found(badCrc), 0u);
}

TEST_F(FrameTest, ABrokenHeaderIsPassedOver) {
  Bytes bytes{0x5A, 0xA5, 0x00, 0x03, 0x99};
  const Bytes answer = framed({0xE5, 0x01});
  bytes.insert(bytes.end(), answer.begin(), answer.end());
  EXPECT_EQ(found(bytes), 9u) << "the frame inside the broken one's announced bytes";
  EXPECT_EQ(found({0x5A, 0xA5, 0xFF, 0xFF, 0x59, 0x01, 0x02}), 0u)
      << "a huge length field does not read past the delivery";
}

TEST(PayloadLimit, APayloadBeyondTheFrameLimitIsRefused) {
  EXPECT_EQ(EncodeFrame(CmdDefault, Bytes(kMaxPayload)).size(), kBufferSize);
  EXPECT_THROW(EncodeFrame(CmdDefault, Bytes(kMaxPayload + 1)), EPayloadTooLong);
}

}  // namespace
}  // namespace tracker
