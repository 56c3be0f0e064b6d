// The layout of every group, stated here a second time and independently of
// the group rows: each field at a distinct non-zero value, the whole payload
// compared byte for byte with the encoder's, and read back into the same
// values. Swapping two offsets in a group row fails here.
#include <gtest/gtest.h>

#include <functional>

#include "codec_harness.h"
#include "ui/event_rows.h"

namespace tracker {
namespace {

std::string twoDigits(int n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

// Builds the expected data of a group write, field by field, and sets the
// controls that should produce it. Offsets are block offsets.
class Layout {
 public:
  explicit Layout(Group group)
      : group_(group), first_(SpecOf(group).write.offset), data_(SpecOf(group).write.length, 0) {}

  void text(int at, const std::string& control, int width) {
    std::string value = "T" + std::to_string(next());
    if (static_cast<int>(value.size()) > width) value.resize(static_cast<std::size_t>(width));
    put(at, Bytes(value.begin(), value.end()));
    setText(control, value);
  }
  void u8(int at, const std::string& control) {
    const int v = next() % 255 + 1;
    put(at, {static_cast<std::uint8_t>(v)});
    setText(control, std::to_string(v));
  }
  void u16(int at, const std::string& control) {
    const int v = next() * 259 % 65535 + 1;
    put(at, le(static_cast<std::uint32_t>(v), 2));
    setText(control, std::to_string(v));
  }
  void u32(int at, const std::string& control) {
    const std::uint32_t v = 0x01020304u * static_cast<std::uint32_t>(next());
    put(at, le(v, 4));
    setText(control, std::to_string(v));
  }
  void volt(int at, const std::string& control) {
    const int n = next() % 99 + 1;
    put(at, le(static_cast<std::uint32_t>(n * 101), 2));
    setText(control, std::to_string(n) + "." + twoDigits(n));
  }
  void hhmm(int at, const std::string& control) {
    const int n = next();
    put(at, le(static_cast<std::uint32_t>(n % 24 * 60 + n % 60), 2));
    setText(control, twoDigits(n % 24) + ":" + twoDigits(n % 60));
  }
  void temp(int at, const std::string& control) {
    const int n = next();
    const bool negative = n % 2 == 1;
    const auto magnitude = static_cast<std::uint32_t>(n * 10 + n % 10);
    put(at, le(magnitude | (negative ? 0x8000u : 0u), 2));
    setText(control, (negative ? "-" : "") + std::to_string(n) + "." + std::to_string(n % 10));
  }
  void sensor(int at, const std::string& control) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const int n = next();
    Bytes id;
    std::string hex;
    for (int i = 0; i < 8; ++i) {
      id.push_back(static_cast<std::uint8_t>(n * 8 + i));
      hex += kHex[id.back() >> 4];
      hex += kHex[id.back() & 0x0F];
    }
    put(at, id);
    setText(control, hex);
  }
  void deg6(int at, const std::string& control) {
    const int n = next();
    const std::int32_t v = -(n * 1000000 + n);
    put(at, le(static_cast<std::uint32_t>(v), 4));
    setText(control, "-" + std::to_string(n) + "." +
                         std::string(6 - std::to_string(n).size(), '0') + std::to_string(n));
  }
  void timeZone(int at, const std::string& control) {
    const int n = next();
    put(at, le(static_cast<std::uint32_t>(n * 60), 4));
    setText(control, std::to_string(n));
  }
  // A list: the last of its items, which is never the first.
  void index(int at, const std::string& control) {
    const int last = controls_.itemCount(control) - 1;
    put(at, {static_cast<std::uint8_t>(last)});
    controls_.setItemIndex(control, last);
    expected_.emplace_back(control, "#" + std::to_string(last));
  }
  void flag(int at, const std::string& control, int bit, bool read = true) {
    data_.at(static_cast<std::size_t>(at - first_ + bit / 8)) |=
        static_cast<std::uint8_t>(1u << (bit % 8));
    controls_.setChecked(control, true);
    if (read) expected_.emplace_back(control, "on");
  }
  void fill(int at, int width, std::uint8_t byte) {
    put(at, Bytes(static_cast<std::size_t>(width), byte));
  }

  void check() const {
    EXPECT_EQ(EncodeData(group_, controls_), data_);
    MemoryControls fresh;
    const GroupSpec& spec = SpecOf(group_);
    Bytes answer(spec.read.length, 0);
    std::copy(data_.begin(), data_.end(), answer.begin() + (first_ - spec.read.offset));
    if (group_ == Group::Wifi) {
      ASSERT_EQ(
          DecodeWifiAnswer(WifiHalf::First, Bytes(data_.begin(), data_.begin() + 1024), fresh),
          DecodeResult::Ok);
      ASSERT_EQ(DecodeWifiAnswer(WifiHalf::Second, Bytes(data_.begin() + 1024, data_.end()), fresh),
                DecodeResult::Ok);
    } else {
      ASSERT_EQ(DecodeBlockAnswer(group_, answer, fresh), DecodeResult::Ok);
    }
    for (const auto& [control, value] : expected_) {
      if (value == "on") {
        EXPECT_TRUE(fresh.checked(control)) << control;
      } else if (value.starts_with('#')) {
        EXPECT_EQ("#" + std::to_string(fresh.itemIndex(control)), value) << control;
      } else {
        EXPECT_EQ(fresh.text(control), value) << control;
      }
    }
  }

 private:
  int next() { return ++counter_; }
  static Bytes le(std::uint32_t v, int width) {
    Bytes out;
    for (int i = 0; i < width; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return out;
  }
  void put(int at, const Bytes& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      data_.at(static_cast<std::size_t>(at - first_) + i) = bytes[i];
    }
  }
  void setText(const std::string& control, const std::string& value) {
    controls_.setText(control, value);
    expected_.emplace_back(control, value);
  }

  Group group_;
  int first_;
  Bytes data_;
  MemoryControls controls_;
  std::vector<std::pair<std::string, std::string>> expected_;
  int counter_ = 0;
};

std::string N(int n) {
  return std::to_string(n);
}

void GprsLayout(Layout& l) {
  l.text(32, "APN", 32);
  l.text(64, "APNName", 32);
  l.text(96, "APNPassword", 32);
  l.text(128, "IP", 32);
  l.text(160, "Port", 5);
  l.text(165, "IP2", 32);
  l.text(197, "Port2", 5);
  l.text(213, "IP3", 32);
  l.text(245, "Port3", 5);
  // The reporting of the first server and of the second.
  for (const auto& [at, server] : {std::pair{202, ""}, std::pair{250, "2"}}) {
    const std::string s = server;
    l.index(at, "GPRSType" + s);
    l.index(at + 1, "ReportType" + s);
    l.index(at + 2, "BufferMode" + s);
    l.u16(at + 3, "TimeInterval" + s);
    l.u16(at + 5, "ACCOffInterval" + s);
    l.u16(at + 7, "StopInterval" + s);
    l.u16(at + 9, "RoamingInterval" + s);
  }
}

void MainALayout(Layout& l) {
  l.u16(0, "GPSLogTM");
  l.u16(2, "DistanceInterval");
  l.u8(4, "Heading");
  l.u16(5, "HeartBeatTM");
  l.u16(7, "Speed");
  l.index(9, "SleepMode");
  l.u16(10, "PowerSavingTM");
  l.u8(12, "SensorSen");
  l.u8(13, "TowTM");
  l.index(14, "TowMode");
  l.u8(15, "IdleTM");
  l.volt(16, "LowExtBatAlarm");
  l.volt(18, "BatteryLowVolt");
  l.u16(20, "Acceleration");
  l.u16(22, "Deceleration");
  l.u8(24, "HarshTurn");
  l.u8(25, "Impact");
  l.u16(26, "FatigueTM");
  l.u8(28, "RestTM");
  l.u16(29, "TotalTM");
  l.u8(31, "GSMJammed");
}

void MainBLayout(Layout& l) {
  l.index(446, "Resolution1");
  l.u16(447, "Cmr1TimeInterval");
  l.u16(449, "Cmr1ACCInterval");
  l.u16(451, "Cmr1StopInterval");
  l.fill(453, 25, 0xFF);
  l.index(479, "Car_Type");
  l.u8(480, "LowSpeed");
  l.u8(481, "RFIDAuthTime");
  l.index(482, "WorkMode");
  l.u16(483, "WakeupInterval");
  for (int k = 1; k <= 24; ++k) l.hhmm(485 + 2 * (k - 1), "AlarmTime" + N(k));
  l.u8(533, "ACCOffAuthTime");
  l.index(534, "ACCOffStop");
}

void InterfaceLayout(Layout& l) {
  for (int k = 1; k <= 6; ++k) {
    l.index(34 + 3 * (k - 1), "In" + N(k) + "Mode");
    l.u16(35 + 3 * (k - 1), "IN" + N(k) + "ActiveTM");
  }
  for (const auto& [at, tank] : {std::pair{58, "Tank1"}, std::pair{90, "Tank2"}}) {
    const std::string t = tank;
    l.text(at, t + "Name", 16);
    l.index(at + 16, t + "Type");
    l.index(at + 17, t + "Source");
    l.u16(at + 18, t + "Lenght");
    l.u16(at + 20, t + "Wide");
    l.u16(at + 22, t + "High");
    l.u8(at + 24, t + "Steal");
    l.u8(at + 25, t + "StealTM");
    l.u8(at + 26, t + "Low");
  }
  for (const auto& [at, out] : {std::pair{122, "Out1"}, std::pair{130, "Out2"}}) {
    const std::string o = out;
    l.index(at, o + "Mode");
    l.u16(at + 1, o + "TM");
    l.u16(at + 3, o + "OnTM");
    l.u16(at + 5, o + "OffTM");
    l.u8(at + 7, o + "Speed");
  }
  l.index(186, "RS232_1");
  l.index(187, "RS232_2");
}

void TemperatureLayout(Layout& l) {
  for (int k = 1; k <= 8; ++k) {
    const int at = 190 + 32 * (k - 1);
    const std::string row = "Temp" + N(k);
    l.text(at, row + "_Name", 16);
    l.sensor(at + 16, row + "_ID");
    l.temp(at + 24, row + "_High");
    l.temp(at + 26, row + "_Low");
  }
}

void WifiLayout(Layout& l) {
  for (int k = 1; k <= 32; ++k) {
    l.text(64 * (k - 1), "WIFI" + N(k) + "SSID", 32);
    l.text(64 * (k - 1) + 32, "WIFI" + N(k) + "PSW", 32);
  }
}

void AuthLayout(Layout& l) {
  l.text(0, "SIMPIN", 4);
  l.text(4, "Password", 4);
  l.timeZone(8, "SMSTimeZone");
  l.u16(12, "SMSTimeInterval");
  l.u16(14, "SMSACCOffInterval");
  l.u16(16, "SMSStopInterval");
  for (int n = 1; n <= 3; ++n) {
    const int at = 20 + 32 * (n - 1);
    l.text(at, "Auth" + N(n), 16);
    const char* flags[] = {"Answer", "Monitor", "Hangup", "Position"};
    for (int bit = 0; bit < 4; ++bit) l.flag(at + 16, "Auth" + N(n) + flags[bit], bit);
  }
}

void GeoLayout(Layout& l) {
  for (int n = 1; n <= 8; ++n) {
    const int at = 32 * (n - 1);
    const std::string fence = "No" + N(n);
    l.text(at, fence + "Name", 16);
    l.flag(at + 16, fence + "Out", 0);
    l.flag(at + 16, fence + "In", 1);
    l.u32(at + 17, fence + "Radius");
    l.deg6(at + 21, fence + "Lat");
    l.deg6(at + 25, fence + "Long");
  }
}

// Flag byte after the row's name and bit of each column.
struct ColumnPlace {
  EventColumn column;
  int byte;
  int bit;
};
constexpr ColumnPlace kColumnPlaces[] = {
    {EventColumn::GPRS1, 0, 0}, {EventColumn::GPRS2, 0, 1}, {EventColumn::SMS1, 1, 0},
    {EventColumn::SMS2, 1, 1},  {EventColumn::SMS3, 1, 2},  {EventColumn::Call1, 2, 0},
    {EventColumn::Call2, 2, 1}, {EventColumn::Call3, 2, 2}, {EventColumn::Moni1, 3, 0},
    {EventColumn::Moni2, 3, 1}, {EventColumn::Moni3, 3, 2}, {EventColumn::OUT1, 4, 0},
    {EventColumn::OUT2, 4, 1},  {EventColumn::CMR1, 5, 0},
};

std::pair<int, int> ColumnAt(EventColumn column) {
  for (const ColumnPlace& place : kColumnPlaces) {
    if (place.column == column) return {place.byte, place.bit};
  }
  return {0, 0};
}

void EventLayout(Layout& l) {
  for (const EventRow& row : EventRows()) {
    const int at = 32 * row.number;
    if (!row.nameEdit.empty()) l.text(at, std::string(row.nameEdit), 16);
    for (const EventColumnInfo& info : EventColumns()) {
      if (!EventColumnPresent(row.columnSet, info.column)) continue;
      const auto [byte, bit] = ColumnAt(info.column);
      l.flag(at + 16 + byte, EventCheckName(row, info.column), bit, row.number != 34);
    }
  }
}

void DltLayout(Layout& l) {
  for (int k = 1; k <= 16; ++k) l.u16(2 * (k - 1), "Licence" + N(k));
  l.u8(32, "DLTAlarmTime");
  l.index(33, "DLTTrack");
  l.index(34, "LicenceReport");
}

struct GroupLayout {
  Group group;
  std::function<void(Layout&)> build;
};

class KnownBytes : public testing::TestWithParam<GroupLayout> {};
TEST_P(KnownBytes, EncodeToThemAndDecodeBack) {
  Layout layout(GetParam().group);
  GetParam().build(layout);
  layout.check();
}
INSTANTIATE_TEST_SUITE_P(
    AllGroups, KnownBytes,
    testing::Values(GroupLayout{Group::Gprs, GprsLayout}, GroupLayout{Group::MainA, MainALayout},
                    GroupLayout{Group::MainB, MainBLayout},
                    GroupLayout{Group::Interface, InterfaceLayout},
                    GroupLayout{Group::Temperature, TemperatureLayout},
                    GroupLayout{Group::Wifi, WifiLayout}, GroupLayout{Group::Sms, AuthLayout},
                    GroupLayout{Group::Geo, GeoLayout}, GroupLayout{Group::Event, EventLayout},
                    GroupLayout{Group::Dlt, DltLayout}),
    [](const auto& info) {
      return GroupTestName({info.param.group, info.index});
    });

}  // namespace
}  // namespace tracker
