// Device information from the authorisation answer, and the model table.
#include <gtest/gtest.h>

#include "codec/device_info.h"
#include "codec_harness.h"

namespace tracker {
namespace {

Bytes counters(std::uint32_t smsA, std::uint32_t smsB, int battery, std::uint32_t mileage) {
  Bytes b;
  const auto be32 = [&b](std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<std::uint8_t>(v >> s));
  };
  be32(smsA);
  be32(smsB);
  for (std::uint32_t v = 1; v <= 6; ++v) be32(v);
  b.push_back(static_cast<std::uint8_t>(battery));
  be32(mileage);
  return b;
}

// The 0x50 answer: five leading bytes, the three texts, then `tail`.
void decodeAnswer(Controls& controls, std::string_view texts, const Bytes& tail,
                  bool settingsLoaded = false) {
  Bytes payload{0x01, 0x01, 0x00, 0x00, 0x00};
  payload.insert(payload.end(), texts.begin(), texts.end());
  payload.insert(payload.end(), tail.begin(), tail.end());
  const Bytes delivery = Delivery(AnswerFrame(0x50, payload));
  const Answer answer = FindAnswer(delivery);
  ASSERT_GE(answer.payload.size(), 5u);
  DecodeDeviceInfo(answer.payload.subspan(5), controls, settingsLoaded);
}

TEST(DeviceInfo, TextsAndCounters) {
  MemoryControls controls;
  Bytes tail = counters(12, 500, 87, 123456);
  tail.insert(tail.end(), {0x01, 0x02});
  decodeAnswer(controls, "FW 1.0,861234567890123,SN42,", tail);
  ExpectTexts(controls, {{"Firmware", "FW 1.0"},
                         {"IMEI", "861234567890123"},
                         {"SN", "SN42"},
                         {"SMSBuffer", "12/500"},
                         {"GPRS1Buffer", "1/2"},
                         {"GPSLog", "5/6"},
                         {"Battery", "87"},
                         {"Mileage", "123456"},
                         {"RFID", "258"}});
}

TEST(DeviceInfo, ShortAnswersFillOnlyWhatArrived) {
  MemoryControls controls;
  controls.setText("RFID", "7");
  decodeAnswer(controls, "FW,IMEI,SN,", counters(1, 2, 3, 4));  // ends after the mileage
  ExpectTexts(controls, {{"Mileage", "4"}, {"RFID", "7"}});

  Bytes cut = counters(9, 9, 9, 9);
  cut.resize(20);  // SMS and GPRS-1 pairs whole, GPRS-2 pair cut
  decodeAnswer(controls, "FW,IMEI,SN,", cut);
  ExpectTexts(controls, {{"SMSBuffer", "9/9"}, {"GPRS2Buffer", "3/4"}, {"Mileage", "4"}});

  decodeAnswer(controls, "FWONLY", {});  // the texts after it are empty
  ExpectTexts(controls, {{"Firmware", "FWONLY"}, {"IMEI", ""}, {"SN", ""}, {"SMSBuffer", "9/9"}});
}

TEST(DeviceInfo, LarchShowsFourInputs) {
  MemoryControls controls;
  decodeAnswer(controls, "X-Larch-2,I,S,", counters(0, 0, 0, 0));
  const char* captions[] = {"Input1", "Input2", "Input3(AD2)", "Input4(AD1)"};
  for (int input = 1; input <= 4; ++input) {
    EXPECT_EQ(controls.caption(InputCaptionLabel(input)), captions[input - 1]);
    EXPECT_TRUE(controls.shown(InputModeBox(input)));
    EXPECT_TRUE(controls.shown(InputTimeUnit(input)));
  }
  for (int input = 5; input <= 6; ++input) {
    EXPECT_FALSE(controls.shown(InputCaptionLabel(input)));
    EXPECT_FALSE(controls.shown(InputTimeEdit(input)));
    EXPECT_FALSE(controls.shown(InputTimeLabel(input)));
  }
  EXPECT_EQ(controls.itemIndex("In4Mode"), 2);
}

TEST(DeviceInfo, EarlierModelWinsAndUnknownLeavesRowsAlone) {
  MemoryControls controls;
  decodeAnswer(controls, "Alder Birch,I,S,", {});
  EXPECT_TRUE(controls.shown(InputModeBox(6)));
  EXPECT_EQ(controls.caption(InputCaptionLabel(6)), "Input6(AD2)");

  controls.setShown(InputModeBox(3), false);
  const Snapshot before = TakeSnapshot(controls);
  decodeAnswer(controls, "Oak,I,S,", {});
  Snapshot after = TakeSnapshot(controls);
  for (const char* info : {"Firmware", "IMEI", "SN"}) after[info] = before.at(info);
  EXPECT_EQ(after, before);
}

TEST(DeviceInfo, LoadedSettingsKeepTheModes) {
  MemoryControls controls;
  controls.setItemIndex("In2Mode", 2);
  decodeAnswer(controls, "Maple,I,S,", {}, /*settingsLoaded=*/true);
  EXPECT_EQ(controls.itemIndex("In2Mode"), 2);
  EXPECT_FALSE(controls.shown(InputModeBox(4)));
  EXPECT_EQ(controls.caption(InputCaptionLabel(1)), "Input1(AD2)");
  decodeAnswer(controls, "Maple,I,S,", {}, /*settingsLoaded=*/false);
  EXPECT_EQ(controls.itemIndex("In2Mode"), 1);
  EXPECT_EQ(controls.itemIndex("In3Mode"), 2);
}

}  // namespace
}  // namespace tracker
