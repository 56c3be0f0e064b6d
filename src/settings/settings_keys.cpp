#include "settings/settings_keys.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "ui/event_rows.h"

namespace tracker {
namespace {

constexpr std::array<std::string_view, 8> kSections{"GPRS", "Main", "Interface", "WIFI",
                                                    "Auth", "GEO",  "Event",     "DLT"};

// Appends the rows of one section.
class SectionRows {
 public:
  SectionRows(std::vector<SettingKey>& rows, std::string_view section)
      : rows_(rows), section_(section) {}

  void text(std::string key, std::string def, std::string control) {
    rows_.push_back(
        {section_, std::move(key), SettingType::Text, std::move(def), 0, std::move(control)});
  }
  void position(std::string key, int def, std::string control) {
    rows_.push_back({section_, std::move(key), SettingType::Position, {}, def, std::move(control)});
  }
  void flag(std::string key, bool def, std::string control) {
    rows_.push_back(
        {section_, std::move(key), SettingType::Flag, {}, def ? 1 : 0, std::move(control)});
  }

 private:
  std::vector<SettingKey>& rows_;
  std::string section_;
};

std::string N(int n) {
  return std::to_string(n);
}

void AddGprs(std::vector<SettingKey>& rows) {
  SectionRows s(rows, "GPRS");
  s.text("APN", "internet", "APN");
  s.text("APN Name", "", "APNName");
  s.text("APN Password", "", "APNPassword");
  s.text("GPRS1 IP", "gps.kelvorin.example", "IP");
  s.text("GPRS1 Port", "8011", "Port");
  s.text("GPRS1 IP2", "", "IP2");
  s.text("GPRS1 Port2", "", "Port2");
  for (int server = 1; server <= 2; ++server) {
    const std::string key = "GPRS" + N(server) + " ";
    const std::string suffix = server == 1 ? "" : "2";
    if (server == 2) {
      // The second server's address lives in the third pair of edits.
      s.text("GPRS2 IP", "", "IP3");
      s.text("GPRS2 Port", "", "Port3");
    }
    s.position(key + "GPRS Mode", server == 1 ? 1 : 0, "GPRSType" + suffix);
    s.position(key + "Report Mode", 0, "ReportType" + suffix);
    s.position(key + "Buffer Mode", 0, "BufferMode" + suffix);
    s.text(key + "Time Interval", "10", "TimeInterval" + suffix);
    s.text(key + "ACC Off Interval", "0", "ACCOffInterval" + suffix);
    s.text(key + "Stop Interval", "0", "StopInterval" + suffix);
    s.text(key + "Roaming Interval", "0", "RoamingInterval" + suffix);
  }
}

void AddMain(std::vector<SettingKey>& rows) {
  SectionRows s(rows, "Main");
  s.text("GPS Log Interval", "0", "GPSLogTM");
  s.text("Distance Interval", "0", "DistanceInterval");
  s.text("Heading Change", "0", "Heading");
  s.text("Heartbeat Interval", "60", "HeartBeatTM");
  s.text("Speeding", "0", "Speed");
  s.position("Sleep Mode", 0, "SleepMode");
  s.text("Period Time Enter Sleep", "0", "PowerSavingTM");
  s.text("Vibration Sensitivity", "3", "SensorSen");
  s.text("Tow Time", "0", "TowTM");
  s.position("Tow Mode", 0, "TowMode");
  s.text("Idle Time", "0", "IdleTM");
  s.text("Low Ext-Bat", "11.40", "LowExtBatAlarm");
  s.text("Harsh Accelerate", "450", "Acceleration");
  s.text("Harsh Braking", "800", "Deceleration");
  s.text("Harsh Turning", "19", "HarshTurn");
  s.text("Impact Sensitivity", "5", "Impact");
  s.text("Fatigue Driving", "0", "FatigueTM");
  s.text("Fatigue Relieve", "0", "RestTM");
  s.text("Overtime Driving", "0", "TotalTM");
  s.text("GSM Jammed", "0", "GSMJammed");
  s.position("Car Type", 0, "Car_Type");
  s.text("Low Speed", "0", "LowSpeed");
  s.text("RFID Auth Time", "60", "RFIDAuthTime");
  s.text("ACC Off Auth Time", "5", "ACCOffAuthTime");
  s.position("ACC Off Stop", 0, "ACCOffStop");
  s.position("Resolution1", 1, "Resolution1");
  s.text("Camera1 Time Interval", "0", "Cmr1TimeInterval");
  s.text("Camera1 ACC Interval", "0", "Cmr1ACCInterval");
  s.text("Camera1 Stop Interval", "0", "Cmr1StopInterval");
  s.position("Work Mode", 1, "WorkMode");
  s.text("Wakeup Interval", "0", "WakeupInterval");
  for (int n = 1; n <= 24; ++n) s.text("Alarm Time" + N(n), "", "AlarmTime" + N(n));
  s.text("Low Battery Alarm", "3.60", "BatteryLowVolt");
}

void AddInterface(std::vector<SettingKey>& rows) {
  SectionRows s(rows, "Interface");
  constexpr std::array<int, 6> kInputModeDefaults{0, 1, 1, 2, 0, 0};
  for (int n = 1; n <= 6; ++n) {
    s.position("Input" + N(n), kInputModeDefaults[n - 1], "In" + N(n) + "Mode");
    s.text("Input" + N(n) + " Active Time", "0", "IN" + N(n) + "ActiveTM");
  }
  for (int n = 1; n <= 2; ++n) {
    const std::string key = "Tank" + N(n) + " ";
    const std::string control = "Tank" + N(n);
    s.text(key + "Name", "", control + "Name");
    s.position(key + "Sensor Type", 0, control + "Type");
    s.position(key + "Source", 0, control + "Source");
    s.text(key + "Lenght", "0", control + "Lenght");
    s.text(key + "Wide", "0", control + "Wide");
    s.text(key + "High", "0", control + "High");
    s.text(key + "Steal", "0", control + "Steal");
    s.text(key + "Steal Time", "0", control + "StealTM");
    s.text(key + "Low Fuel", "0", control + "Low");
  }
  for (int n = 1; n <= 2; ++n) {
    const std::string key = "Out" + N(n) + " ";
    const std::string control = "Out" + N(n);
    s.position(key + "Mode", 0, control + "Mode");
    s.text(key + "Active Time", "0", control + "TM");
    s.text(key + "On Time", "0", control + "OnTM");
    s.text(key + "Off Time", "0", control + "OffTM");
    s.text(key + "Speed", "0", control + "Speed");
  }
  s.position("RS232-1", 1, "RS232_1");
  s.position("RS232-2", 0, "RS232_2");
}

void AddWifi(std::vector<SettingKey>& rows) {
  SectionRows s(rows, "WIFI");
  for (int n = 1; n <= 32; ++n) {
    s.text("WIFI" + N(n) + " SSID", "", "WIFI" + N(n) + "SSID");
    s.text("WIFI" + N(n) + " Password", "", "WIFI" + N(n) + "PSW");
  }
}

void AddAuth(std::vector<SettingKey>& rows) {
  SectionRows s(rows, "Auth");
  s.text("SIM Card PIN", "", "SIMPIN");
  s.text("SMS Password", "4826", "Password");
  s.text("SMS Time Zone", "0", "SMSTimeZone");
  s.text("Time Interval", "0", "SMSTimeInterval");
  s.text("ACC Off Interval", "0", "SMSACCOffInterval");
  s.text("Stop Interval", "0", "SMSStopInterval");
  for (int n = 1; n <= 3; ++n) {
    const std::string key = "Auth" + N(n) + " ";
    const std::string control = "Auth" + N(n);
    s.text(key + "Number", "", control);
    s.flag(key + "Auto Answer", false, control + "Answer");
    s.flag(key + "Auto Monitor", false, control + "Monitor");
    s.flag(key + "Auto Hangup", false, control + "Hangup");
    s.flag(key + "SMS Position", false, control + "Position");
  }
}

void AddGeo(std::vector<SettingKey>& rows) {
  SectionRows s(rows, "GEO");
  for (int n = 1; n <= 8; ++n) {
    const std::string key = "No." + N(n) + " ";
    const std::string control = "No" + N(n);
    s.text(key + "Name", "", control + "Name");
    s.flag(key + "Out Alarm", false, control + "Out");
    s.flag(key + "In Alarm", false, control + "In");
    s.text(key + "Radius", "0", control + "Radius");
    s.text(key + "Latitude", "0.000000", control + "Lat");
    s.text(key + "Longitude", "0.000000", control + "Long");
  }
}

// Each row: its name key (when it has a name edit), then one flag per check of
// its column set. Every check has a key, the SMS2 check of "Input4 active"
// included, so no setting the window holds is lost.
void AddEvent(std::vector<SettingKey>& rows) {
  SectionRows s(rows, "Event");
  for (const EventRow& row : EventRows()) {
    if (!row.nameEdit.empty()) {
      s.text(std::string(row.caption) + " Name", std::string(row.nameDefault),
             std::string(row.nameEdit));
    }
    for (const EventColumnInfo& column : EventColumns()) {
      if (!EventColumnPresent(row.columnSet, column.column)) continue;
      const bool gprs = column.column == EventColumn::GPRS1 || column.column == EventColumn::GPRS2;
      s.flag(std::string(row.keyStem) + " " + std::string(column.keySuffix),
             gprs && row.gprsDefault, EventCheckName(row, column.column));
    }
  }
}

void AddDlt(std::vector<SettingKey>& rows) {
  SectionRows s(rows, "DLT");
  for (int n = 1; n <= 16; ++n) s.text("Licence" + N(n), "0", "Licence" + N(n));
  s.text("DLT Alarm Time", "10", "DLTAlarmTime");
  s.position("DLT Track", 0, "DLTTrack");
  s.position("Licence Report", 0, "LicenceReport");
}

std::vector<SettingKey> BuildKeys() {
  std::vector<SettingKey> rows;
  rows.reserve(927);
  AddGprs(rows);
  AddMain(rows);
  AddInterface(rows);
  AddWifi(rows);
  AddAuth(rows);
  AddGeo(rows);
  AddEvent(rows);
  AddDlt(rows);
  return rows;
}

// Section and key folded to lower case (ASCII only, as the file's names
// compare), one string for one lookup.
std::string FoldedName(std::string_view section, std::string_view key) {
  std::string name;
  name.reserve(section.size() + 1 + key.size());
  name.append(section).append(1, '\n').append(key);
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name;
}

}  // namespace

std::span<const std::string_view> SettingSections() {
  return kSections;
}

const std::vector<SettingKey>& SettingKeys() {
  static const std::vector<SettingKey> keys = BuildKeys();
  return keys;
}

std::span<const SettingKey> SectionKeys(std::string_view section) {
  // Each section's keys, found once: the sections' keys stand together.
  static const auto spans = [] {
    std::array<std::span<const SettingKey>, kSections.size()> all;
    const std::span<const SettingKey> keys = SettingKeys();
    for (std::size_t i = 0; i < kSections.size(); ++i) {
      const auto in = [&](const SettingKey& key) { return key.section == kSections[i]; };
      const auto first = std::find_if(keys.begin(), keys.end(), in);
      all[i] = {first, std::find_if_not(first, keys.end(), in)};
    }
    return all;
  }();
  const auto found = std::find(kSections.begin(), kSections.end(), section);
  return found == kSections.end() ? std::span<const SettingKey>{}
                                  : spans[found - kSections.begin()];
}

const SettingKey* FindSettingKey(std::string_view section, std::string_view key) {
  static const std::unordered_map<std::string, const SettingKey*> byName = [] {
    std::unordered_map<std::string, const SettingKey*> all;
    for (const SettingKey& k : SettingKeys()) all.emplace(FoldedName(k.section, k.key), &k);
    return all;
  }();
  const auto found = byName.find(FoldedName(section, key));
  return found == byName.end() ? nullptr : found->second;
}

}  // namespace tracker
