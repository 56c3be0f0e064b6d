// Byte-level field encodings: each vector below is a case the tracker relies
// on; each refusal a text that once reached the tracker as something else.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/field_error.h"
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

TEST(TextField, PadsAndStopsAtZero) {
  EXPECT_EQ(textBytes("", 32), Bytes(32, 0x00));
  EXPECT_EQ(textBytes("8080", 5), (Bytes{0x38, 0x30, 0x38, 0x30, 0x00}));
  EXPECT_EQ(textBytes(std::string(32, 'a'), 32), Bytes(32, 'a'));  // no terminator
  const Bytes stored{'1', '2', '3', 0, 0, 0};
  EXPECT_EQ(ReadText(stored), "123");
  EXPECT_EQ(ReadText(Bytes(16, 'x')), std::string(16, 'x'));
}

TEST(TextField, LongerThanTheFieldIsRefused) {
  // An authorised number of 17 characters, a WiFi password of 33.
  EXPECT_THROW(textBytes("+1234567890123456", 16), EFieldError);
  EXPECT_THROW(textBytes(std::string(33, 'p'), 32), EFieldError);
  // Latin-1 counts bytes: é is one.
  EXPECT_EQ(textBytes("caf\xc3\xa9", 4), (Bytes{'c', 'a', 'f', 0xE9}));
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

// A field's conversion from text to bytes.
using Conversion = std::function<Bytes(std::string_view)>;
const Conversion kU8 = [](std::string_view t) { return Bytes{U8FromText(t)}; };
const Conversion kU16 = [](std::string_view t) { return le16(U16FromText(t)); };
const Conversion kU32 = [](std::string_view t) {
  return le32(static_cast<std::int32_t>(U32FromText(t)));
};
const Conversion kI32 = [](std::string_view t) { return le32(I32FromText(t)); };
const Conversion kVolt = [](std::string_view t) { return le16(Volt100FromText(t)); };
const Conversion kHhmm = [](std::string_view t) { return le16(HhmmFromText(t)); };
const Conversion kTemp = [](std::string_view t) { return le16(Temp10FromText(t)); };
const Conversion kZone = [](std::string_view t) { return le32(TimeZoneFromText(t)); };
const Conversion kDeg6 = [](std::string_view t) { return le32(Deg6FromText(t)); };
const Conversion kLat = [](std::string_view t) { return le32(LatitudeFromText(t)); };
const Conversion kLong = [](std::string_view t) { return le32(LongitudeFromText(t)); };

struct Accepted {
  const char* field;
  const Conversion* convert;
  const char* text;
  Bytes bytes;
};

class AcceptedText : public testing::TestWithParam<Accepted> {};
TEST_P(AcceptedText, Encodes) {
  EXPECT_EQ((*GetParam().convert)(GetParam().text), GetParam().bytes);
}
INSTANTIATE_TEST_SUITE_P(
    Vectors, AcceptedText,
    testing::Values(
        Accepted{"u8", &kU8, "255", {0xFF}}, Accepted{"u8", &kU8, "010", {0x0A}},
        Accepted{"u16", &kU16, "65535", {0xFF, 0xFF}}, Accepted{"u16", &kU16, "300", {0x2C, 0x01}},
        Accepted{"u32", &kU32, "4294967295", {0xFF, 0xFF, 0xFF, 0xFF}},
        Accepted{"i32", &kI32, "-2147483648", {0x00, 0x00, 0x00, 0x80}},
        Accepted{"volt", &kVolt, "11.4", {0x74, 0x04}},
        Accepted{"volt", &kVolt, "3.60", {0x68, 0x01}},
        Accepted{"volt", &kVolt, "100", {0x10, 0x27}},
        Accepted{"volt", &kVolt, "125.93", {0x31, 0x31}},
        Accepted{"volt", &kVolt, "655.35", {0xFF, 0xFF}},
        Accepted{"volt", &kVolt, "12.", {0xB0, 0x04}},
        Accepted{"hhmm", &kHhmm, "07:30", {0xC2, 0x01}}, Accepted{"hhmm", &kHhmm, "", {0xFF, 0xFF}},
        Accepted{"hhmm", &kHhmm, "209:53", {0x31, 0x31}},
        Accepted{"hhmm", &kHhmm, "1092:14", {0xFE, 0xFF}},
        Accepted{"temp", &kTemp, "25.5", {0xFF, 0x00}},
        Accepted{"temp", &kTemp, "-5", {0x32, 0x80}},
        Accepted{"temp", &kTemp, "-0.0", {0x00, 0x80}}, Accepted{"temp", &kTemp, "", {0xFF, 0xFF}},
        Accepted{"temp", &kTemp, "3276.7", {0xFF, 0x7F}},
        Accepted{"temp", &kTemp, "-3276.6", {0xFE, 0xFF}},
        Accepted{"zone", &kZone, "480", {0x80, 0x70, 0x00, 0x00}},
        Accepted{"zone", &kZone, "+480", {0x80, 0x70, 0x00, 0x00}},
        Accepted{"zone", &kZone, "-300", {0xB0, 0xB9, 0xFF, 0xFF}},
        Accepted{"zone", &kZone, "-0:30", {0xE2, 0xFF, 0xFF, 0xFF}},
        Accepted{"zone", &kZone, "-35791394:08", {0x00, 0x00, 0x00, 0x80}},
        Accepted{"deg6", &kDeg6, "22.543096", {0xF8, 0xFA, 0x57, 0x01}},
        Accepted{"deg6", &kDeg6, "-114.057865", {0x77, 0x9D, 0x33, 0xF9}},
        Accepted{"deg6", &kDeg6, "-0.5", {0xE0, 0x5E, 0xF8, 0xFF}},
        Accepted{"deg6", &kDeg6, "+1.000001", {0x41, 0x42, 0x0F, 0x00}},
        Accepted{"latitude", &kLat, "-90", {0x80, 0xB5, 0xA2, 0xFA}},
        Accepted{"longitude", &kLong, "180.000000", {0x00, 0x95, 0xBA, 0x0A}}));

struct Refused {
  const Conversion* convert;
  const char* text;
  std::string message;
};

class RefusedText : public testing::TestWithParam<Refused> {};
TEST_P(RefusedText, NamesTheRange) {
  try {
    (*GetParam().convert)(GetParam().text);
    ADD_FAILURE() << GetParam().text << " was accepted";
  } catch (const EFieldError& e) {
    EXPECT_EQ(e.problem(), GetParam().message);
  }
}

// Texts a field refuses with one message; `{}` in it stands for the text.
struct RefusedTexts {
  const Conversion* convert;
  const char* message;
  std::vector<const char*> texts;
};

std::vector<Refused> EachText(std::initializer_list<RefusedTexts> rows) {
  std::vector<Refused> cases;
  for (const RefusedTexts& row : rows) {
    for (const char* text : row.texts) {
      std::string message = row.message;
      message.replace(message.find("{}"), 2, text);
      cases.push_back({row.convert, text, message});
    }
  }
  return cases;
}

// Among them the reproduced cases: Tow Time 300, Heading Change 125999, ACC Off
// Interval 86400, High Alarm 3277, Latitude 2148 and 12.-5, Low Ext-Bat " 11.4"
// and the alarm time 25:99.
INSTANTIATE_TEST_SUITE_P(
    Vectors, RefusedText,
    testing::ValuesIn(EachText({
        {&kU8, "{} is out of range 0–255", {"300", "125999"}},
        {&kU16, "{} is out of range 0–65535", {"86400", "-1"}},
        {&kU16, "'{}' is not a valid value; the range is 0–65535", {"--5", "", "12x"}},
        {&kU32, "{} is out of range 0–4294967295", {"4294967296"}},
        {&kI32, "{} is out of range -2147483648–2147483647", {"99999999999999999999999"}},
        {&kVolt, "'{}' is not a valid value; the range is 0.00–655.35", {" 11.4", "11.456"}},
        {&kVolt, "{} is out of range 0.00–655.35", {"655.36"}},
        {&kHhmm, "'{}' is not a time; the range is 00:00–1092:14", {"25:99", "99:99", "0730"}},
        {&kHhmm, "{} is out of range 00:00–1092:14", {"1092:15"}},
        {&kTemp, "{} is out of range -3276.6–3276.7", {"3277", "-3276.7"}},
        {&kTemp, "'{}' is not a valid value; the range is -3276.6–3276.7", {"2-5", "37.25"}},
        {&kZone, "{} is out of range -35791394–35791394", {"35791395"}},
        {&kDeg6, "{} is out of range -2147.483648–2147.483647", {"2148"}},
        {&kDeg6,
         "'{}' is not a valid value; the range is -2147.483648–2147.483647",
         {"12.-5", "12.1234567", ".5"}},
        // A fence centre off the globe was written and "Verified".
        {&kLat, "{} is out of range -90.000000–90.000000", {"123.5", "-90.000001"}},
        {&kLong, "{} is out of range -180.000000–180.000000", {"180.000001"}},
    })));

// Each value and the text a field shows for it.
template <typename Value>
void ExpectShown(std::string (*toText)(Value),
                 std::initializer_list<std::pair<std::type_identity_t<Value>, const char*>> shown) {
  for (const auto& [value, text] : shown) EXPECT_EQ(toText(value), text) << value;
}

TEST(ReadFields, ShowWhatWritesBackTheSameBytes) {
  ExpectShown(Volt100ToText, {{1140, "11.40"}, {5, "0.05"}, {12593, "125.93"}});
  ExpectShown(HhmmToText, {{0xFFFF, ""}, {450, "07:30"}, {12593, "209:53"}, {0xFFFE, "1092:14"}});
  ExpectShown(Temp10ToText, {{0xFFFF, ""}, {0x8032, "-5.0"}, {0x8000, "-0.0"}, {255, "25.5"}});
  ExpectShown(TimeZoneToText, {{28800, "480"},
                               {-18000, "-300"},
                               {19830, "330:30"},
                               {-30, "-0:30"},
                               {INT32_MIN, "-35791394:08"}});
  ExpectShown(Deg6ToText,
              {{300000000, "300.000000"}, {INT32_MIN, "-2147.483648"}, {-500000, "-0.500000"}});
  EXPECT_EQ(UnsignedToText(GetU32le(Bytes(4, 0xFF))), "4294967295");
  EXPECT_EQ(SignedToText(static_cast<std::int32_t>(GetU32le(Bytes(4, 0xFF)))), "-1");
}

TEST(SensorIdField, SixteenHexDigitsOrEmpty) {
  const SensorId id{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
  EXPECT_EQ(SensorIdFromText("0123456789ABCDEF"), id);
  EXPECT_EQ(SensorIdFromText("0123456789abcdef"), id);
  EXPECT_EQ(SensorIdToText(id), "0123456789ABCDEF");
  EXPECT_EQ(SensorIdFromText(""), SensorId{});
  for (const char* bad : {"0123456789ABCDE", "0123456789ABCDEF0", "GG00000000000000",
                          "0123456789ABCDE-", " 123456789ABCDEF"}) {
    EXPECT_THROW(SensorIdFromText(bad), EFieldError) << bad;
  }
}

TEST(SensorIdField, AnyNonZeroByteShows) {
  EXPECT_EQ(SensorIdToText(SensorId{}), "");
  EXPECT_EQ(SensorIdToText(SensorId{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), "");
  EXPECT_EQ(SensorIdToText(SensorId{0, 0, 0, 0, 0, 0, 0, 1}), "0000000000000001");
  EXPECT_EQ(SensorIdToText(SensorId{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}),
            "FFFFFFFFFFFFFFFE");
}

}  // namespace
}  // namespace tracker
