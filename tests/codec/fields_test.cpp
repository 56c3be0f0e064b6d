// Byte-level field encodings: each vector below is a case the tracker relies on.
#include <gtest/gtest.h>

#include <vector>

#include "base/str_to_int.h"
#include "codec/fields.h"

namespace tracker {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes le16(std::uint16_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
}

Bytes le32(std::int32_t v) {
  Bytes out(4);
  PutU32le(out, static_cast<std::uint32_t>(v));
  return out;
}

Bytes textBytes(std::string_view text, std::size_t width) {
  Bytes out(width);
  WriteText(text, out);
  return out;
}

TEST(TextField, PadsCutsAndStopsAtZero) {
  EXPECT_EQ(textBytes("", 32), Bytes(32, 0x00));
  EXPECT_EQ(textBytes("8080", 5), (Bytes{0x38, 0x30, 0x38, 0x30, 0x00}));
  const std::string forty(40, 'a');
  EXPECT_EQ(textBytes(forty, 32), Bytes(32, 'a'));  // no terminator
  const Bytes stored{'1', '2', '3', 0, 0, 0};
  EXPECT_EQ(ReadText(stored), "123");
  EXPECT_EQ(ReadText(Bytes(16, 'x')), std::string(16, 'x'));
}

TEST(TextField, OneByteACharacterLatin1) {
  EXPECT_EQ(textBytes("caf\xc3\xa9", 5), (Bytes{'c', 'a', 'f', 0xE9, 0}));
  EXPECT_EQ(textBytes("\xe2\x82\xac", 2), (Bytes{'?', 0}));  // euro sign is outside Latin-1
  const Bytes stored{0xE9, 0};
  EXPECT_EQ(ReadText(stored), "\xc3\xa9");
}

TEST(TextField, WifiReadingStopsAtZeroOrFF) {
  EXPECT_EQ(ReadWifiText(Bytes(32, 0xFF)), "");
  Bytes abc(32, 0xFF);
  abc[0] = 'a';
  abc[1] = 'b';
  abc[2] = 'c';
  EXPECT_EQ(ReadWifiText(abc), "abc");
  EXPECT_EQ(ReadText(abc).substr(0, 5), "abc\xc3\xbf");  // ordinary texts keep 0xFF (ÿ)
}

struct NumberCase {
  const char* text;
  Bytes bytes;
  const char* readBack;
};

class U16Field : public testing::TestWithParam<NumberCase> {};
TEST_P(U16Field, WritesWrapsAndReads) {
  const auto& c = GetParam();
  EXPECT_EQ(le16(U16FromText(c.text)), c.bytes);
  EXPECT_EQ(UnsignedToText(GetU16le(c.bytes)), c.readBack);
}
INSTANTIATE_TEST_SUITE_P(Vectors, U16Field,
                         testing::Values(NumberCase{"30", {0x1E, 0x00}, "30"},
                                         NumberCase{"65536", {0x00, 0x00}, "0"},
                                         NumberCase{"-1", {0xFF, 0xFF}, "65535"},
                                         NumberCase{"300", {0x2C, 0x01}, "300"},
                                         NumberCase{"60", {0x3C, 0x00}, "60"}));

TEST(U8Field, KeepsLowEightBits) {
  EXPECT_EQ(U8FromText("300"), 0x2C);
  EXPECT_EQ(U8FromText("256"), 0x00);
  EXPECT_EQ(U8FromText("10"), 0x0A);
}

TEST(IndexField, NoSelectionIsFF) {
  EXPECT_EQ(IndexToByte(-1), 0xFF);
  EXPECT_EQ(IndexToByte(29), 0x1D);
}

TEST(NumberFields, BadTextRaisesTheConversionError) {
  for (const char* bad : {"", "abc", "12x"}) {
    try {
      U16FromText(bad);
      ADD_FAILURE() << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
  EXPECT_THROW(U8FromText(" "), EConvertError);
  EXPECT_THROW(I32FromText("1.5"), EConvertError);
}

struct Volt {
  const char* text;
  std::uint16_t value;
};
class Volt100Field : public testing::TestWithParam<Volt> {};
TEST_P(Volt100Field, TakesTwoDigitsEachSideOfTheDot) {
  EXPECT_EQ(Volt100FromText(GetParam().text), GetParam().value);
}
INSTANTIATE_TEST_SUITE_P(Vectors, Volt100Field,
                         testing::Values(Volt{"11.4", 1140}, Volt{"12", 1200}, Volt{"3.60", 360},
                                         Volt{"9.5", 950}, Volt{"11.456", 1145},
                                         Volt{"123.4", 1240}, Volt{"12.", 1200}));

TEST(Volt100Field, ReadsWithTwoDecimals) {
  EXPECT_EQ(Volt100ToText(1140), "11.40");
  EXPECT_EQ(Volt100ToText(905), "9.05");
  EXPECT_EQ(Volt100ToText(360), "3.60");
  EXPECT_EQ(Volt100ToText(5), "0.05");
  EXPECT_EQ(le16(Volt100FromText("11.4")), (Bytes{0x74, 0x04}));
  EXPECT_EQ(le16(Volt100FromText("3.60")), (Bytes{0x68, 0x01}));
  EXPECT_THROW(Volt100FromText(""), EConvertError);
}

TEST(HhmmField, MinutesAfterMidnight) {
  EXPECT_EQ(HhmmFromText("07:30"), 450);
  EXPECT_EQ(HhmmFromText("23:59"), 1439);
  EXPECT_EQ(HhmmFromText("00:00"), 0);
  EXPECT_EQ(HhmmFromText(""), 0xFFFF);
  EXPECT_EQ(HhmmFromText("123:456"), 12 * 60 + 45);   // two characters each side
  EXPECT_THROW(HhmmFromText("0730"), EConvertError);  // no ":"
  EXPECT_THROW(HhmmFromText("07:"), EConvertError);   // no minutes
}

TEST(HhmmField, ReadingWrapsHoursAndMinutes) {
  EXPECT_EQ(HhmmToText(0xFFFF), "");
  EXPECT_EQ(HhmmToText(0), "00:00");
  EXPECT_EQ(HhmmToText(450), "07:30");
  EXPECT_EQ(HhmmToText(1439), "23:59");
  EXPECT_EQ(HhmmToText(15359), "255:59");
  EXPECT_EQ(HhmmToText(15360), "00:00");  // hours taken modulo 256
  EXPECT_EQ(HhmmToText(15420), "01:00");
  EXPECT_EQ(HhmmToText(0xFFFE), "68:14");  // 1092 h → 68; (65534 − 4080) mod 256 = 14
}

TEST(SensorIdField, SixteenCharactersMakeEightBytes) {
  const SensorId id{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
  EXPECT_EQ(SensorIdFromText("0123456789ABCDEF"), id);
  EXPECT_EQ(SensorIdFromText("0123456789abcdef"), id);
  EXPECT_EQ(SensorIdToText(id), "0123456789ABCDEF");
  EXPECT_EQ(SensorIdFromText("0123456789ABCDE"), SensorId{});
  EXPECT_EQ(SensorIdFromText(""), SensorId{});
  // Letters beyond F still count (G = 16, wraps modulo 256); others are skipped.
  EXPECT_EQ(SensorIdFromText("GG-1Z.0000000000")[0], (16 * 16 + 16) % 256);
  EXPECT_EQ(SensorIdFromText("GG-1Z.0000000000")[1], 1);
  EXPECT_EQ(SensorIdFromText("GG-1Z.0000000000")[2], 35);
}

TEST(SensorIdField, MostlyZeroReadsEmpty) {
  EXPECT_EQ(SensorIdToText(SensorId{}), "");
  EXPECT_EQ(SensorIdToText(SensorId{0, 0, 0, 0, 0, 0, 0, 1}), "");
  EXPECT_EQ(SensorIdToText(SensorId{0, 0, 0, 0, 0, 0, 2, 1}), "0000000000000201");
}

struct Temp {
  const char* text;
  std::uint16_t value;
};
class Temp10Field : public testing::TestWithParam<Temp> {};
TEST_P(Temp10Field, TenthsWithSignBit) {
  EXPECT_EQ(Temp10FromText(GetParam().text), GetParam().value);
}
INSTANTIATE_TEST_SUITE_P(Vectors, Temp10Field,
                         testing::Values(Temp{"25", 250}, Temp{"25.5", 255}, Temp{"-10", 0x8064},
                                         Temp{"-0.5", 0x8005}, Temp{"37.25", 372}, Temp{"", 0xFFFF},
                                         Temp{"-5", 0x8032}, Temp{"+4.", 40}, Temp{"2-5", 0x80FA}));

TEST(Temp10Field, ReadsOneDecimal) {
  EXPECT_EQ(Temp10ToText(0xFFFF), "");
  EXPECT_EQ(Temp10ToText(0x8032), "-5.0");
  EXPECT_EQ(Temp10ToText(0), "0.0");
  EXPECT_EQ(Temp10ToText(255), "25.5");
  EXPECT_EQ(le16(Temp10FromText("-5")), (Bytes{0x32, 0x80}));
  EXPECT_THROW(Temp10FromText("1a"), EConvertError);
}

TEST(TimeZoneField, MinutesTimesSixty) {
  EXPECT_EQ(le32(TimeZoneFromText("480")), (Bytes{0x80, 0x70, 0x00, 0x00}));
  EXPECT_EQ(le32(TimeZoneFromText("+480")), (Bytes{0x80, 0x70, 0x00, 0x00}));
  EXPECT_EQ(le32(TimeZoneFromText("-300")), (Bytes{0xB0, 0xB9, 0xFF, 0xFF}));
  EXPECT_EQ(le32(TimeZoneFromText("0")), Bytes(4, 0x00));
  EXPECT_EQ(TimeZoneToText(28800), "480");
  EXPECT_EQ(TimeZoneToText(-18000), "-300");
  EXPECT_EQ(TimeZoneToText(0), "0");
  EXPECT_EQ(TimeZoneToText(19830), "330");
  EXPECT_EQ(TimeZoneToText(INT32_MIN), "-35791394");
  for (const char* bad : {"", "-", "+", "1x"}) EXPECT_THROW(TimeZoneFromText(bad), EConvertError);
}

struct Coordinate {
  const char* text;
  std::int32_t value;
  const char* readBack;
};
class Deg6Field : public testing::TestWithParam<Coordinate> {};
TEST_P(Deg6Field, MillionthsOfADegree) {
  const auto& c = GetParam();
  EXPECT_EQ(Deg6FromText(c.text), c.value);
  EXPECT_EQ(Deg6ToText(c.value), c.readBack);
}
INSTANTIATE_TEST_SUITE_P(Vectors, Deg6Field,
                         testing::Values(Coordinate{"22.543096", 22543096, "22.543096"},
                                         Coordinate{"-114.057865", -114057865, "-114.057865"},
                                         Coordinate{"12.5", 12500000, "12.500000"},
                                         Coordinate{"12.1234567", 12123456, "12.123456"},
                                         Coordinate{"-0.5", -500000, "-0.500000"},
                                         Coordinate{"12.", 12000000, "12.000000"},
                                         Coordinate{"12", 12000000, "12.000000"},
                                         Coordinate{"+1.000001", 1000001, "1.000001"},
                                         Coordinate{"0.000000", 0, "0.000000"}));

TEST(Deg6Field, BytesAndOddCases) {
  EXPECT_EQ(le32(Deg6FromText("22.543096")), (Bytes{0xF8, 0xFA, 0x57, 0x01}));
  EXPECT_EQ(le32(Deg6FromText("-114.057865")), (Bytes{0x77, 0x9D, 0x33, 0xF9}));
  EXPECT_EQ(le32(Deg6FromText("12.5")), (Bytes{0x20, 0xBC, 0xBE, 0x00}));
  EXPECT_EQ(le32(Deg6FromText("-0.5")), (Bytes{0xE0, 0x5E, 0xF8, 0xFF}));
  EXPECT_EQ(Deg6ToText(300000000), "44.000000");  // whole degrees modulo 256
  EXPECT_EQ(Deg6ToText(INT32_MIN), "-99.483648");
  for (const char* bad : {"", ".5", "1.2.3", "x", "-"})
    EXPECT_THROW(Deg6FromText(bad), EConvertError);
}

TEST(I32Field, SignedAndUnsignedReading) {
  EXPECT_EQ(le32(I32FromText("500")), (Bytes{0xF4, 0x01, 0x00, 0x00}));
  EXPECT_EQ(UnsignedToText(GetU32le(Bytes(4, 0xFF))), "4294967295");
  EXPECT_EQ(SignedToText(static_cast<std::int32_t>(GetU32le(Bytes(4, 0xFF)))), "-1");
}

}  // namespace
}  // namespace tracker
