// The key table: its shape, and that it fits the window's catalogue.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "settings/settings_keys.h"
#include "ui/catalogue.h"

namespace tracker::testing {
namespace {

std::vector<std::string> KeysOf(std::string_view section) {
  std::vector<std::string> keys;
  for (const SettingKey& key : SettingKeys()) {
    if (key.section == section) keys.push_back(key.key);
  }
  return keys;
}

const SettingKey& Find(std::string_view section, std::string_view name) {
  const auto& keys = SettingKeys();
  const auto found = std::find_if(keys.begin(), keys.end(), [&](const SettingKey& key) {
    return key.section == section && key.key == name;
  });
  EXPECT_NE(found, keys.end()) << name;
  return *found;
}

TEST(SettingKeysTest, SectionsComeInOrderWithTheirKeyCounts) {
  const std::vector<std::pair<std::string, int>> expected{
      {"GPRS", 23}, {"Main", 56}, {"Interface", 42}, {"WIFI", 64},
      {"Auth", 21}, {"GEO", 48},  {"Event", 654},    {"DLT", 19}};
  std::vector<std::pair<std::string, int>> actual;
  for (const SettingKey& key : SettingKeys()) {
    if (actual.empty() || actual.back().first != key.section) actual.emplace_back(key.section, 0);
    ++actual.back().second;
  }
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(SettingKeys().size(), 927u);
  ASSERT_EQ(SettingSections().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(SettingSections()[i], expected[i].first);
    EXPECT_EQ(SectionKeys(expected[i].first).size(), static_cast<std::size_t>(expected[i].second));
    EXPECT_EQ(SectionKeys(expected[i].first).front().section, expected[i].first);
  }
  EXPECT_TRUE(SectionKeys("gprs").empty());
  EXPECT_TRUE(SectionKeys("Other").empty());
}

// Found as the file names them: ASCII case aside, the section and key exactly.
TEST(SettingKeysTest, FindsAKeyByTheFilesNames) {
  const struct {
    std::string_view section, key;
    const char* control;  // nullptr: not the program's
  } cases[] = {
      {"GPRS", "APN", "APN"},    {"gprs", "apn", "APN"},     {"GpRs", "APN Name", "APNName"},
      {"Main", "APN", nullptr},  {"GPRS", "APN ", nullptr},  {"GPRS", "", nullptr},
      {"Other", "APN", nullptr}, {"GPRS\nAPN", "", nullptr},
  };
  for (const auto& c : cases) {
    const SettingKey* key = FindSettingKey(c.section, c.key);
    if (c.control == nullptr) {
      EXPECT_EQ(key, nullptr) << c.section << " " << c.key;
    } else {
      ASSERT_NE(key, nullptr) << c.section << " " << c.key;
      EXPECT_EQ(key->control, c.control);
    }
  }
  for (const SettingKey& key : SettingKeys()) EXPECT_EQ(FindSettingKey(key.section, key.key), &key);
}

TEST(SettingKeysTest, RepeatedShapesBeginAndEndAsListed) {
  const auto gprs = KeysOf("GPRS");
  EXPECT_EQ(gprs[5], "GPRS1 IP2");
  EXPECT_EQ(gprs[14], "GPRS2 IP");
  EXPECT_EQ(Find("GPRS", "GPRS2 IP").control, "IP3");
  EXPECT_EQ(Find("GPRS", "GPRS1 IP").textDefault, "gps.kelvorin.example");
  EXPECT_EQ(gprs.back(), "GPRS2 Roaming Interval");

  const auto main = KeysOf("Main");
  EXPECT_EQ(main[31], "Alarm Time1");
  EXPECT_EQ(main[54], "Alarm Time24");
  EXPECT_EQ(main.back(), "Low Battery Alarm");

  const auto wifi = KeysOf("WIFI");
  EXPECT_EQ(
      (std::vector<std::string>{wifi[0], wifi[1], wifi[2], wifi.back()}),
      (std::vector<std::string>{"WIFI1 SSID", "WIFI1 Password", "WIFI2 SSID", "WIFI32 Password"}));
  EXPECT_EQ(Find("WIFI", "WIFI32 Password").control, "WIFI32PSW");

  const auto geo = KeysOf("GEO");
  EXPECT_EQ((std::vector<std::string>(geo.begin(), geo.begin() + 6)),
            (std::vector<std::string>{"No.1 Name", "No.1 Out Alarm", "No.1 In Alarm", "No.1 Radius",
                                      "No.1 Latitude", "No.1 Longitude"}));
  EXPECT_EQ(geo.back(), "No.8 Longitude");
  EXPECT_EQ(Find("GEO", "No.8 Longitude").textDefault, "0.000000");

  const auto dlt = KeysOf("DLT");
  EXPECT_EQ(dlt[15], "Licence16");
  EXPECT_EQ(dlt.back(), "Licence Report");
  EXPECT_EQ(Find("Interface", "Tank2 Lenght").control, "Tank2Lenght");
  EXPECT_EQ(Find("Interface", "RS232-1").numberDefault, 1);
}

TEST(SettingKeysTest, EventSectionFollowsTheRowsAndTheirColumnSets) {
  const auto event = KeysOf("Event");
  EXPECT_EQ(
      (std::vector<std::string>(event.begin(), event.begin() + 9)),
      (std::vector<std::string>{"Interval tracking Name", "Interval GPRS1", "Interval GPRS2",
                                "Interval SMS1", "Interval SMS2", "Interval SMS3",
                                "Interval Camera1", "Input1 active Name", "Input1 active GPRS1"}));
  // Rows without a name edit: their flags follow the previous row's directly.
  const auto heartbeat = std::find(event.begin(), event.end(), "Heartbeat report GPRS1");
  ASSERT_NE(heartbeat, event.end());
  EXPECT_EQ(*(heartbeat - 1), "Distance tracking SMS3");
  EXPECT_EQ(*(heartbeat + 2), "Device power on Name");
  EXPECT_EQ(event.back(), "Low Speed Camera1");

  EXPECT_EQ(Find("Event", "Tow alarm Out1").control, "TowOUT1");
  EXPECT_EQ(Find("Event", "Swiping card Camera1").control, "RFIDCMR1");
  EXPECT_EQ(Find("Event", "Input1 inactive GPRS1").numberDefault, 0);
  EXPECT_EQ(Find("Event", "Input1 active GPRS2").numberDefault, 1);
  EXPECT_EQ(Find("Event", "Input1 active SMS1").numberDefault, 0);
  const SettingKey& in4Sms2 = Find("Event", "Input4 active SMS2");
  EXPECT_EQ(in4Sms2.control, "IN4SMS2");
  EXPECT_EQ(in4Sms2.type, SettingType::Flag);
  EXPECT_EQ(in4Sms2.numberDefault, 0);
}

TEST(SettingKeysTest, KeysAreUniqueAndFitTheirControls) {
  std::set<std::pair<std::string, std::string>> keys;
  std::set<std::string> controls;
  for (const SettingKey& key : SettingKeys()) {
    std::string folded = key.key;
    std::transform(folded.begin(), folded.end(), folded.begin(), ::tolower);
    EXPECT_TRUE(keys.emplace(key.section, folded).second) << key.key;
    EXPECT_TRUE(controls.insert(key.control).second) << key.control;
    const ControlSpec* control = FindControl(key.control);
    ASSERT_NE(control, nullptr) << key.control;
    const std::map<SettingType, ControlKind> kinds{{SettingType::Text, ControlKind::Edit},
                                                   {SettingType::Position, ControlKind::List},
                                                   {SettingType::Flag, ControlKind::Check}};
    EXPECT_EQ(control->kind, kinds.at(key.type)) << key.control;
  }
}

// Everything the user edits is kept, except the tabs read from the tracker.
TEST(SettingKeysTest, EveryEditableControlOutsideInfoRfidAndTempHasAKey) {
  std::set<std::string> stored;
  for (const SettingKey& key : SettingKeys()) stored.insert(key.control);
  const std::set<std::string_view> unstoredTabs{"Info", "RFID", "Temp"};
  for (const ControlSpec& control : Catalogue()) {
    const bool editable = control.kind == ControlKind::Edit || control.kind == ControlKind::List ||
                          control.kind == ControlKind::Check;
    if (!editable || unstoredTabs.contains(Tabs()[control.tab].caption)) continue;
    if (control.name == "DeviceID") continue;
    EXPECT_TRUE(stored.contains(control.name)) << control.name;
  }
}

}  // namespace
}  // namespace tracker::testing
