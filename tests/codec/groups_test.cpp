// Golden bytes of each parameter group: headers, field positions and the
// cases the tracker's own behaviour pins down.
#include <gtest/gtest.h>

#include "base/field_error.h"
#include "base/str_to_int.h"
#include "codec_harness.h"

namespace tracker {
namespace {

constexpr int kEventTab = 9;

Bytes slice(const Bytes& b, std::size_t at, std::size_t n) {
  return Bytes(b.begin() + static_cast<std::ptrdiff_t>(at),
               b.begin() + static_cast<std::ptrdiff_t>(at + n));
}

struct HeaderCase {
  Group group;
  Bytes header;
  std::size_t payloadLength;
};

class GroupHeader : public testing::TestWithParam<HeaderCase> {};
TEST_P(GroupHeader, HeaderAndLengthFromTheWindowDefaults) {
  MemoryControls controls;
  const Bytes payload = EncodePayload(GetParam().group, controls);
  EXPECT_EQ(payload.size(), GetParam().payloadLength);
  EXPECT_EQ(slice(payload, 0, GetParam().header.size()), GetParam().header);
}
INSTANTIATE_TEST_SUITE_P(
    AllGroups, GroupHeader,
    testing::Values(HeaderCase{Group::Gprs, {0x01, 0x00, 0x20, 0x00, 0xE5}, 234},
                    HeaderCase{Group::MainA, {0x02, 0x00, 0x00, 0x00, 0x22}, 39},
                    HeaderCase{Group::MainB, {0x02, 0x01, 0xBE, 0x00, 0x59}, 94},
                    HeaderCase{Group::Interface, {0x02, 0x00, 0x22, 0x00, 0x9C}, 161},
                    HeaderCase{Group::Temperature, {0x02, 0x00, 0xBE, 0x01, 0x00}, 261},
                    HeaderCase{Group::Wifi, {}, 2048},
                    HeaderCase{Group::Sms, {0x03, 0x00, 0x00, 0x00, 0x74}, 121},
                    HeaderCase{Group::Geo, {0x04, 0x00, 0x00, 0x01, 0x00}, 261},
                    HeaderCase{Group::Event, {0x05, 0x00, 0x00, 0x07, 0x40}, 1861},
                    HeaderCase{Group::Dlt, {0x06, 0x00, 0x00, 0x00, 0x23}, 40}));

// One control value and the bytes it puts at a write data offset.
struct PlacedValue {
  Group group;
  const char* control;
  const char* text;  // a text, or "#n" for an item index, "on" for a check
  std::size_t dataOffset;
  Bytes bytes;
};

void setValue(Controls& c, const char* control, std::string_view text) {
  if (text.starts_with('#')) return c.setItemIndex(control, StrToInt(text.substr(1)));
  if (text == "on") return c.setChecked(control, true);
  c.setText(control, text);
}

class PlacedField : public testing::TestWithParam<PlacedValue> {};
TEST_P(PlacedField, LandsAtItsOffset) {
  const auto& v = GetParam();
  MemoryControls controls;
  setValue(controls, v.control, v.text);
  EXPECT_EQ(slice(EncodeData(v.group, controls), v.dataOffset, v.bytes.size()), v.bytes);
}
INSTANTIATE_TEST_SUITE_P(
    Vectors, PlacedField,
    testing::Values(
        PlacedValue{Group::Gprs, "Port", "8080", 128, {0x38, 0x30, 0x38, 0x30, 0x00}},
        PlacedValue{Group::Gprs, "TimeInterval", "30", 173, {0x1E, 0x00}},
        PlacedValue{Group::Gprs, "TimeInterval", "65535", 173, {0xFF, 0xFF}},
        PlacedValue{Group::Gprs, "GPRSType", "#-1", 170, {0xFF}},
        PlacedValue{Group::Gprs, "RoamingInterval2", "258", 227, {0x02, 0x01}},
        PlacedValue{Group::MainA, "LowExtBatAlarm", "11.4", 16, {0x74, 0x04}},
        PlacedValue{Group::MainA, "BatteryLowVolt", "3.60", 18, {0x68, 0x01}},
        PlacedValue{Group::MainA, "GSMJammed", "255", 31, {0xFF, 0x00, 0x00}},
        PlacedValue{Group::MainB, "AlarmTime3", "", 489 - 446, {0xFF, 0xFF}},
        PlacedValue{Group::MainB, "AlarmTime3", "00:00", 489 - 446, {0x00, 0x00}},
        PlacedValue{Group::MainB, "AlarmTime24", "23:59", 531 - 446, {0x9F, 0x05}},
        PlacedValue{Group::MainB, "Car_Type", "#10", 33, {0x0A}},
        PlacedValue{Group::MainB, "Car_Type", "#29", 33, {0x1D}},
        PlacedValue{Group::MainB, "ACCOffStop", "#1", 88, {0x01}},
        PlacedValue{
            Group::Interface,
            "Tank1Name",
            "ABCDEFGHIJKLMNOP",
            24,
            {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P', 0x00}},
        PlacedValue{Group::Interface, "Out1Speed", "255", 95, {0xFF}},
        PlacedValue{Group::Interface, "RS232_2", "#5", 187 - 34, {0x05}},
        PlacedValue{Group::Interface, "Tank2Lenght", "1000", 74, {0xE8, 0x03}},
        PlacedValue{Group::Temperature,
                    "Temp1_ID",
                    "0123456789abcdef",
                    16,
                    {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}},
        PlacedValue{Group::Temperature, "Temp1_ID", "", 16, Bytes(8, 0x00)},
        PlacedValue{Group::Temperature, "Temp3_Low", "-5", 64 + 26, {0x32, 0x80}},
        PlacedValue{Group::Temperature, "Temp8_High", "", 224 + 24, {0xFF, 0xFF}},
        PlacedValue{Group::Wifi, "WIFI2PSW", "pppppppppppppppppppppppppppppppp", 96,
                    Bytes(32, 'p')},
        PlacedValue{Group::Sms, "SMSTimeZone", "-300", 8, {0xB0, 0xB9, 0xFF, 0xFF}},
        PlacedValue{Group::Sms, "SMSTimeInterval", "60", 12, {0x3C, 0x00}},
        PlacedValue{Group::Sms, "Password", "1234", 4, {'1', '2', '3', '4'}},
        PlacedValue{Group::Sms, "Auth2", "", 52, Bytes(16, 0x00)},
        PlacedValue{Group::Sms, "Auth3Hangup", "on", 100, {0x04, 0x00}},
        PlacedValue{Group::Geo, "No3In", "on", 80, {0x02}},
        PlacedValue{Group::Geo, "No1Radius", "500", 17, {0xF4, 0x01, 0x00, 0x00}},
        PlacedValue{
            Group::Geo, "No8Long", "-114.057865", 224 + 25, {0x77, 0x9D, 0x33, 0xF9, 0, 0, 0}},
        PlacedValue{Group::Event, "IN1SMS3", "on", 32 + 17, {0x04}},
        PlacedValue{Group::Event, "IN1SMS1", "on", 32 + 17, {0x01}},
        PlacedValue{Group::Event, "LowSpeedMoni2", "on", 57 * 32 + 19, {0x02}},
        PlacedValue{Group::Dlt, "Licence10", "300", 18, {0x2C, 0x01, 0x00, 0x00}},
        PlacedValue{Group::Dlt, "Licence1", "65535", 0, {0xFF, 0xFF}}));

// A value its field cannot hold stops the encoder, named after its control.
struct RefusedValue {
  Group group;
  const char* control;
  const char* text;
  const char* message;
};

class RefusedField : public testing::TestWithParam<RefusedValue> {};
TEST_P(RefusedField, StopsTheEncoderByName) {
  const auto& v = GetParam();
  MemoryControls controls;
  setValue(controls, v.control, v.text);
  try {
    Encode(v.group, controls);
    ADD_FAILURE() << v.control << " accepted " << v.text;
  } catch (const EFieldError& e) {
    EXPECT_EQ(e.control(), v.control);
    EXPECT_EQ(e.what(), std::string(v.control) + ": " + v.message);
  }
}
INSTANTIATE_TEST_SUITE_P(
    Vectors, RefusedField,
    testing::Values(
        RefusedValue{Group::MainA, "TowTM", "300", "300 is out of range 0–255"},
        RefusedValue{Group::MainA, "Heading", "125999", "125999 is out of range 0–255"},
        RefusedValue{Group::Gprs, "ACCOffInterval", "86400", "86400 is out of range 0–65535"},
        RefusedValue{Group::Temperature, "Temp1_High", "3277",
                     "3277 is out of range -3276.6–3276.7"},
        RefusedValue{Group::Geo, "No1Lat", "2148", "2148 is out of range -90.000000–90.000000"},
        RefusedValue{Group::MainB, "AlarmTime1", "25:99",
                     "'25:99' is not a time; the range is 00:00–1092:14"},
        RefusedValue{Group::Temperature, "Temp2_ID", "0123456789ABCDE",
                     "'0123456789ABCDE' is not 16 hexadecimal digits"},
        RefusedValue{Group::Sms, "Auth1", "+1234567890123456",
                     "17 characters are more than the 16 that fit"},
        RefusedValue{Group::Wifi, "WIFI3PSW", "123456789012345678901234567890123",
                     "33 characters are more than the 32 that fit"}));

TEST(GprsGroup, DeviceIdIsReadNeverWritten) {
  MemoryControls controls;
  controls.setText("DeviceID", "999");
  const Bytes data = EncodeData(Group::Gprs, controls);
  EXPECT_EQ(data.size(), 229u);
  Bytes answer(255, 0x00);
  answer[0] = '1';
  answer[1] = '2';
  answer[2] = '3';
  ASSERT_EQ(DecodeBlockAnswer(Group::Gprs, answer, controls), DecodeResult::Ok);
  EXPECT_EQ(controls.text("DeviceID"), "123");
  EXPECT_EQ(controls.itemIndex("GPRSType"), 0);
}

TEST(GprsGroup, FFReadsAsNoSelectionAndBadNumberStopsTheEncoder) {
  MemoryControls controls;
  Bytes answer(255, 0x00);
  answer[202 - 16] = 0xFF;
  ASSERT_EQ(DecodeBlockAnswer(Group::Gprs, answer, controls), DecodeResult::Ok);
  EXPECT_EQ(controls.itemIndex("GPRSType"), -1);

  controls.setText("StopInterval2", "");
  EXPECT_THROW(Encode(Group::Gprs, controls), EConvertError);
}

TEST(MainGroup, RangeBFixedBytesWhateverTheTrackerHeld) {
  MemoryControls controls;
  const Bytes data = EncodeData(Group::MainB, controls);
  EXPECT_EQ(slice(data, 7, 26), [] {
    Bytes b(25, 0xFF);
    b.push_back(0x00);
    return b;
  }());
  const Bytes answer = ZerosWith(89, {{0, 0x02}, {43, 0xFF}, {44, 0xFF}});
  ASSERT_EQ(DecodeBlockAnswer(Group::MainB, answer, controls), DecodeResult::Ok);
  EXPECT_EQ(controls.itemIndex("Resolution1"), 2);
  ExpectTexts(controls, {{"AlarmTime3", ""}, {"AlarmTime1", "00:00"}});
}

TEST(MainGroup, ReadsVoltagesWithTwoDecimals) {
  MemoryControls controls;
  const Bytes answer = ZerosWith(34, {{16, 0x74}, {17, 0x04}, {18, 0x05}});
  ASSERT_EQ(DecodeBlockAnswer(Group::MainA, answer, controls), DecodeResult::Ok);
  ExpectTexts(controls, {{"LowExtBatAlarm", "11.40"}, {"BatteryLowVolt", "0.05"}});
}

TEST(InterfaceGroup, FixedBytesAreZeroAndByteReadsBack) {
  MemoryControls controls;
  controls.setText("Out1Speed", "200");
  Bytes answer = EncodeData(Group::Interface, controls);
  for (const std::size_t at : {18, 19, 20, 21, 22, 23, 51, 55, 83, 87, 104, 151, 154, 155}) {
    EXPECT_EQ(answer[at], 0x00) << at;
  }
  ASSERT_EQ(DecodeBlockAnswer(Group::Interface, answer, controls), DecodeResult::Ok);
  EXPECT_EQ(controls.text("Out1Speed"), "200");
}

TEST(TemperatureGroup, IdentifiersAndAlarms) {
  MemoryControls controls;
  Bytes answer = ZerosWith(256, {{16 + 7, 0x01}, {64 + 26, 0xFF}, {64 + 27, 0xFF}});
  for (int i = 0; i < 8; ++i) answer[48 + i] = 0xFF;  // erased: empty
  ASSERT_EQ(DecodeBlockAnswer(Group::Temperature, answer, controls), DecodeResult::Ok);
  ExpectTexts(controls, {{"Temp1_ID", "0000000000000001"},  // seven zero bytes: still an identifier
                         {"Temp2_ID", ""},
                         {"Temp3_Low", ""},
                         {"Temp3_High", "0.0"}});
}

TEST(TemperatureGroup, EmptiedAlarmsMeanNoAlarmOnEveryRow) {
  MemoryControls controls;
  for (int k = 1; k <= 8; ++k) {
    controls.setText("Temp" + std::to_string(k) + "_High", "");
    controls.setText("Temp" + std::to_string(k) + "_Low", "");
  }
  const Bytes data = EncodeData(Group::Temperature, controls);
  for (int k = 0; k < 8; ++k) EXPECT_EQ(slice(data, 32 * k + 24, 4), Bytes(4, 0xFF)) << k + 1;
}

TEST(WifiGroup, EmptyListAndHalves) {
  MemoryControls controls;
  EXPECT_EQ(EncodePayload(Group::Wifi, controls), Bytes(2048, 0x00));

  Bytes half(1024, 0xFF);
  half[32] = 'a';
  half[33] = 'b';
  half[34] = 'c';
  controls.setText("WIFI1SSID", "keep");
  ASSERT_EQ(DecodeWifiAnswer(WifiHalf::Second, half, controls), DecodeResult::Ok);
  EXPECT_EQ(controls.text("WIFI17SSID"), "");
  EXPECT_EQ(controls.text("WIFI17PSW"), "abc");
  EXPECT_EQ(controls.text("WIFI1SSID"), "keep");  // only the second request fills 17 to 32
}

TEST(AuthGroup, FlagsAndTimeZoneRead) {
  MemoryControls controls;
  controls.setChecked("Auth1Answer", true);
  controls.setChecked("Auth1Position", true);
  controls.setText("SMSTimeZone", "480");
  const Bytes data = EncodeData(Group::Sms, controls);
  EXPECT_EQ(slice(data, 36, 2), (Bytes{0x09, 0x00}));
  EXPECT_EQ(slice(data, 8, 4), (Bytes{0x80, 0x70, 0x00, 0x00}));

  MemoryControls fresh;
  fresh.setChecked("Auth1Monitor", true);
  ASSERT_EQ(DecodeBlockAnswer(Group::Sms, data, fresh), DecodeResult::Ok);
  EXPECT_TRUE(fresh.checked("Auth1Answer"));
  EXPECT_FALSE(fresh.checked("Auth1Monitor"));
  EXPECT_TRUE(fresh.checked("Auth1Position"));
  EXPECT_EQ(fresh.text("SMSTimeZone"), "480");
}

TEST(GeoGroup, RadiusReadsUnsigned) {
  MemoryControls controls;
  Bytes answer(256, 0x00);
  for (int i = 0; i < 4; ++i) answer[17 + i] = 0xFF;
  answer[16] = 0xFE;  // other bits ignored; bit 1 In, bit 0 Out clear
  ASSERT_EQ(DecodeBlockAnswer(Group::Geo, answer, controls), DecodeResult::Ok);
  EXPECT_EQ(controls.text("No1Radius"), "4294967295");
  EXPECT_TRUE(controls.checked("No1In"));
  EXPECT_FALSE(controls.checked("No1Out"));
  EXPECT_EQ(controls.text("No1Lat"), "0.000000");
}

// Only the always-set checks are on: nothing else may leave a mark.
TEST(EventGroup, AlwaysSetChecksAreTheOnlyBytes) {
  MemoryControls controls;
  for (const ControlSpec& spec : Catalogue()) {
    if (spec.tab != kEventTab) continue;
    if (spec.kind == ControlKind::Edit) controls.setText(spec.name, "");
    if (spec.kind == ControlKind::Check) controls.setChecked(spec.name, false);
  }
  for (const char* on : {"IntervalGPRS1", "IntervalGPRS2", "IntervalCMR1", "ReplyGPRS1",
                         "ReplyGPRS2", "ReplySMS1", "ReplySMS2", "ReplySMS3", "ReplyCMR1"}) {
    controls.setChecked(on, true);
  }
  Bytes expected(1856, 0x00);
  expected[16] = 0x03;
  expected[21] = 0x01;
  expected[34 * 32 + 16] = 0x03;
  expected[34 * 32 + 17] = 0x07;
  expected[34 * 32 + 21] = 0x01;
  EXPECT_EQ(EncodeData(Group::Event, controls), expected);
}

TEST(EventGroup, RowsWithoutSomeColumnsSendZero) {
  MemoryControls controls;
  for (const ControlSpec& spec : Catalogue()) {
    if (spec.tab == kEventTab && spec.kind == ControlKind::Check)
      controls.setChecked(spec.name, true);
  }
  const Bytes data = EncodeData(Group::Event, controls);
  for (const int row : {38, 53}) EXPECT_EQ(slice(data, row * 32 + 18, 2), Bytes(2, 0x00)) << row;
  EXPECT_EQ(slice(data, 55 * 32 + 20, 2), Bytes(2, 0x00));
  Bytes heartbeat(32, 0x00);
  heartbeat[16] = 0x03;
  EXPECT_EQ(slice(data, 31 * 32, 32), heartbeat);
  EXPECT_EQ(slice(data, 13 * 32, 128), Bytes(128, 0x00));
  EXPECT_EQ(slice(data, 1 * 32 + 16, 6), (Bytes{0x03, 0x07, 0x07, 0x07, 0x03, 0x01}));
}

TEST(EventGroup, EachRowReadsItsOwnBytesAndReplyKeepsItsChecks) {
  MemoryControls controls;
  Bytes answer(4096, 0xFF);  // more than rows 0 to 57: the rest is never read
  for (int i = 0; i < 32; ++i) answer[2 * 32 + i] = 0x00;    // row 2 all clear
  for (int i = 16; i < 22; ++i) answer[34 * 32 + i] = 0x00;  // row 34 flags clear
  for (int i = 0; i < 16; ++i) answer[i] = 'N';
  for (int i = 0; i < 2; ++i) answer[34 * 32 + i] = 'R';
  answer[34 * 32 + 2] = 0x00;
  const Bytes frame = ReadAnswer(5, 0, answer);
  // The largest answer exceeds one delivery; hand it over whole here.
  ASSERT_EQ(ScanFrames(frame).header, 0u);
  ASSERT_EQ(Decode(Group::Event, AsBlockAnswer(FindAnswer(frame))->data, controls),
            DecodeResult::Ok);
  EXPECT_FALSE(controls.checked("IN1IGPRS1"));
  EXPECT_FALSE(controls.checked("IN1ICMR1"));
  EXPECT_TRUE(controls.checked("IN1GPRS1"));
  EXPECT_TRUE(controls.checked("IN2CMR1"));
  EXPECT_TRUE(controls.checked("ReplySMS3"));
  EXPECT_EQ(controls.text("CurrentName"), "RR");
  EXPECT_EQ(controls.text("IntervalName"), std::string(16, 'N'));
}

TEST(DltGroup, DefaultsAndReadBack) {
  MemoryControls controls;
  Bytes expected(32, 0x00);
  expected.insert(expected.end(), {0x0A, 0x00, 0x00});
  EXPECT_EQ(EncodeData(Group::Dlt, controls), expected);

  Bytes answer(48, 0x00);
  answer[18] = 0x2C;
  answer[19] = 0x01;
  answer[33] = 2;
  ASSERT_EQ(DecodeBlockAnswer(Group::Dlt, answer, controls), DecodeResult::Ok);
  EXPECT_EQ(controls.text("Licence10"), "300");
  EXPECT_EQ(controls.text("Licence11"), "0");
  // A value the list does not know is kept as an extra item and written back.
  EXPECT_EQ(controls.itemIndex("DLTTrack"), 2);
  EXPECT_EQ(controls.text("DLTTrack"), "Value 2");
  EXPECT_EQ(EncodeData(Group::Dlt, controls)[33], 2);
  answer[33] = 0xFF;
  ASSERT_EQ(DecodeBlockAnswer(Group::Dlt, answer, controls), DecodeResult::Ok);
  EXPECT_EQ(controls.itemIndex("DLTTrack"), -1);
  EXPECT_EQ(controls.itemCount("DLTTrack"), 2);
}

TEST(Catalogue, EveryControlTheCodecNamesExists) {
  EXPECT_EQ(UnknownCodecControls(), std::vector<std::string>{});
  EXPECT_GT(CodecControlNames().size(), 700u);
}

}  // namespace
}  // namespace tracker
