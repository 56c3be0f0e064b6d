#include <gtest/gtest.h>

#include <string>

#include "sim/crc16.h"
#include "sim/frame.h"

namespace tracker::sim {
namespace {

Bytes hex(const std::string& text) {
  Bytes out;
  std::string digits;
  for (char c : text) {
    if (c != ' ') digits.push_back(c);
  }
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
    out.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  }
  return out;
}

TEST(SimCrc, CheckValueAndKnownFrames) {
  const std::string check = "123456789";
  EXPECT_EQ(crc16(Bytes(check.begin(), check.end())), 0x29B1);
  EXPECT_EQ(encodeFrame(0xE5, {}), hex("5A A5 00 01 E5 8A 19"));
  EXPECT_EQ(encodeFrame(0x59, hex("01 00 10 00 FF")), hex("5A A5 00 06 59 01 00 10 00 FF 92 67"));
  EXPECT_EQ(encodeFrame(0x50, hex("01 FF FF FF FF")), hex("5A A5 00 06 50 01 FF FF FF FF 1E D9"));
}

TEST(SimFrameParser, FrameArrivingByteByByteComesOutOnceComplete) {
  FrameParser parser;
  const Bytes frame = hex("5A A5 00 06 59 01 00 10 00 FF 92 67");
  for (std::size_t i = 0; i + 1 < frame.size(); ++i) {
    EXPECT_TRUE(parser.feed(Bytes{frame[i]}).empty()) << "at byte " << i;
    EXPECT_TRUE(parser.hasPartial());
  }
  const auto frames = parser.feed(Bytes{frame.back()});
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].command, 0x59);
  EXPECT_EQ(frames[0].payload, hex("01 00 10 00 FF"));
  EXPECT_FALSE(parser.hasPartial());
}

TEST(SimFrameParser, MergedFramesAndAFrameCutAcrossDeliveries) {
  FrameParser parser;
  Bytes stream = encodeFrame(0xC0, {});
  const Bytes second = encodeFrame(0xC4, hex("D2 04 00 00"));
  const Bytes third = encodeFrame(0xB7, hex("10 10"));
  stream.insert(stream.end(), second.begin(), second.end());
  stream.insert(stream.end(), third.begin(), third.begin() + 3);
  const auto first = parser.feed(stream);
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0].command, 0xC0);
  EXPECT_TRUE(first[0].payload.empty());
  EXPECT_EQ(first[1].payload, hex("D2 04 00 00"));
  const auto rest = parser.feed(Bytes(third.begin() + 3, third.end()));
  ASSERT_EQ(rest.size(), 1u);
  EXPECT_EQ(rest[0].command, 0xB7);
}

TEST(SimFrameParser, GarbageAndBadCrcAreSkippedWithoutLosingTheNextFrame) {
  FrameParser parser;
  Bytes bad = encodeFrame(0xB6, hex("00 11 22"));
  bad.back() ^= 0x01;
  Bytes stream = hex("00 5A 13 A5 5A A5 00 00");  // a lone 5A, and a header of length 0
  stream.insert(stream.end(), bad.begin(), bad.end());
  const Bytes good = encodeFrame(0xE6, {});
  stream.insert(stream.end(), good.begin(), good.end());
  const auto frames = parser.feed(stream);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].command, 0xE6);
  EXPECT_EQ(parser.badFrames(), 1u);
  EXPECT_FALSE(parser.hasPartial());
}

TEST(SimFrameParser, StaleHeaderWithHugeLengthIsGivenUpOnAndTheFrameBehindItFound) {
  FrameParser parser;
  Bytes stream = hex("5A A5 7F 00 01");  // announces a 32 KB frame that never comes
  const Bytes good = encodeFrame(0xC3, {});
  stream.insert(stream.end(), good.begin(), good.end());
  EXPECT_TRUE(parser.feed(stream).empty());
  ASSERT_TRUE(parser.hasPartial());
  const auto frames = parser.dropStale();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].command, 0xC3);
}

TEST(SimFrameParser, LengthFieldAboveTheLargestPayloadIsNoise) {
  FrameParser parser;
  Bytes stream = hex("5A A5 A0 00");  // 40,960: more than any frame may carry
  const Bytes good = encodeFrame(0xC1, {});
  stream.insert(stream.end(), good.begin(), good.end());
  const auto frames = parser.feed(stream);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].command, 0xC1);
}

}  // namespace
}  // namespace tracker::sim
