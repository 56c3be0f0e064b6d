#include "ui/catalogue.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <utility>

#include "ui/event_rows.h"

namespace tracker {
namespace {

using Items = std::vector<std::string>;

constexpr std::array<TabSpec, kTabCount> kTabs{{
    {"TabSheet1", "Info"},
    {"TabSheet2", "GPRS"},
    {"TabSheet3", "Main"},
    {"TabSheet8", "Interface"},
    {"TabSheet7", "RFID"},
    {"TabSheet9", "Temp"},
    {"TabSheet10", "WiFi"},
    {"TabSheet5", "Auth"},
    {"TabSheet4", "GEO"},
    {"TabSheet6", "Event"},
    {"DLT", "DLT"},
}};

enum Tab { kInfo, kGprs, kMain, kInterface, kRfid, kTemp, kWifi, kAuth, kGeo, kEvent, kDlt };

constexpr std::array<std::string_view, kConnectionButtonCount> kConnectionButtons{
    "ReadAll",   "WriteAll",   "InitAll",       "ClearCode",      "GPRSRead",  "GPRSWrite",
    "SMSRead",   "SMSWrite",   "GEOFenceRead",  "GEOFenceWrite",  "MainRead",  "MainWrite",
    "EventRead", "EventWrite", "InterfaceRead", "InterfaceWrite", "Temp_Read", "Temp_Write",
    "Temp_Pair", "WIFI_Read",  "WIFI_Write",    "DLTRead",        "DLTWrite",  "SET_ID",
    "DEL_ID",    "CHK_ID"};

// Caption labels of the input rows, input 1 first.
constexpr std::array<int, 6> kInputLabelNumbers{219, 218, 214, 215, 216, 217};

// Collects sections and controls; a control lands in the current tab and section.
class Builder {
 public:
  void tab(int t) { tab_ = t; }

  void section(std::string id, std::string caption = {}, int row = 0, int column = 0,
               int rowSpan = 1, int columnSpan = 1, std::string parent = {}) {
    group_ = caption;
    if (caption.empty() && !parent.empty()) group_ = captionOf(parent);
    sections_.push_back(
        {id, tab_, std::move(caption), std::move(parent), row, column, rowSpan, columnSpan, false});
    section_ = std::move(id);
  }

  void foot(std::string id) {
    section(std::move(id));
    sections_.back().foot = true;
  }

  ControlSpec& edit(std::string name, std::string caption, std::string initial, std::string unit,
                    int row, int column = 1) {
    ControlSpec& c = add(std::move(name), ControlKind::Edit, std::move(caption), row, column);
    c.initialText = std::move(initial);
    c.unit = std::move(unit);
    return c;
  }

  ControlSpec& list(std::string name, std::string caption, Items items, int index, int row,
                    int column = 1) {
    ControlSpec& c = add(std::move(name), ControlKind::List, std::move(caption), row, column);
    c.items = std::move(items);
    c.initialIndex = index;
    if (index >= 0) c.initialText = c.items[static_cast<std::size_t>(index)];
    return c;
  }

  ControlSpec& check(std::string name, std::string caption, int row, int column) {
    return add(std::move(name), ControlKind::Check, std::move(caption), row, column);
  }

  ControlSpec& button(std::string name, std::string caption, int row, int column) {
    return add(std::move(name), ControlKind::Button, std::move(caption), row, column);
  }

  ControlSpec& label(std::string name, std::string caption, int row, int column) {
    return add(std::move(name), ControlKind::Label, std::move(caption), row, column);
  }

  ControlSpec& memo(std::string name, int row, int column) {
    return add(std::move(name), ControlKind::Memo, {}, row, column);
  }

  // Read and Write buttons at the foot of the tab.
  void readWrite(const std::string& read, const std::string& write) {
    foot(read + "Buttons");
    button(read, "Read", 0, 0);
    button(write, "Write", 0, 1);
  }

  std::vector<ControlSpec> takeControls() { return std::move(controls_); }
  std::vector<SectionSpec> takeSections() { return std::move(sections_); }

 private:
  std::string captionOf(const std::string& id) const {
    for (const SectionSpec& s : sections_) {
      if (s.id == id) return s.caption;
    }
    return {};
  }

  ControlSpec& add(std::string name, ControlKind kind, std::string caption, int row, int column) {
    ControlSpec c;
    c.name = std::move(name);
    c.kind = kind;
    c.tab = tab_;
    c.group = group_;
    c.caption = std::move(caption);
    c.section = section_;
    c.row = row;
    c.column = column;
    controls_.push_back(std::move(c));
    return controls_.back();
  }

  int tab_ = 0;
  std::string section_;
  std::string group_;
  std::vector<ControlSpec> controls_;
  std::vector<SectionSpec> sections_;
};

std::string Num(int n) {
  return std::to_string(n);
}

void BuildInfo(Builder& b) {
  b.tab(kInfo);
  b.section("ComGroup", "Com", 0, 0);
  b.list("ComboBox1", "", {}, -1, 0, 0);
  b.button("OpenPort", "Open", 0, 1);
  b.section("OperationGroup", "Operation", 0, 1);
  b.edit("AuthCode", "Auth Code:", "", "", 0, 1).columnSpan = 2;
  b.button("ReadAll", "Read All", 1, 0);
  b.button("WriteAll", "Write All", 1, 1);
  b.button("InitAll", "Default", 1, 2);
  b.section("InfoRows", "", 1, 0, 1, 2);
  b.button("ClearCode", "Clear Auth Code", 0, 1);
  b.edit("SN", "SN", "", "", 1);
  b.edit("IMEI", "IMEI", "", "", 2);
  b.edit("Firmware", "Firmware", "", "", 3);
  b.edit("Battery", "Int-Battery", "", "percent", 4);
  b.edit("GPRS1Buffer", "GPRS-1 Buffer", "", "pcs", 5);
  b.button("ClearGPRS1", "Clear", 5, 3);
  b.edit("GPRS2Buffer", "GPRS-2 Buffer", "", "pcs", 6);
  b.button("ClearGPRS2", "Clear", 6, 3);
  b.edit("SMSBuffer", "SMS Buffer", "", "pcs", 7);
  b.button("ClearSMS", "Clear", 7, 3);
  b.edit("GPSLog", "GPS Log", "", "pcs", 8);
  b.button("ClearGPSLog", "Clear", 8, 3);
  b.edit("Mileage", "Mileage", "0", "m", 9);
  b.button("SetMileage", "Set", 9, 3);
}

// One GPRS channel group; the second channel has no backup server.
void BuildGprsChannel(Builder& b, bool second) {
  const std::string ip = second ? "IP3" : "IP";
  const std::string port = second ? "Port3" : "Port";
  const std::string n = second ? "2" : "";
  int row = 0;
  b.edit(ip, "IP", "", "", row++);
  b.edit(port, "Port", "", "", row++);
  if (!second) {
    b.edit("IP2", "Backup IP", "", "", row++);
    b.edit("Port2", "Backup Port", "", "", row++);
  } else {
    row += 2;  // no backup server: its rows stay empty so both channels line up
  }
  b.list("GPRSType" + n, "GPRS Mode", {"Close", "TCP", "UDP"}, 0, row++);
  b.list("ReportType" + n, "Report Mode",
         {"No needs server's confirmation", "Needs server's confirmation"}, 0, row++)
      .initiallyEnabled = !second;
  b.list("BufferMode" + n, "Buffer Mode", {"FILO", "FIFO"}, 0, row++);
  b.edit("TimeInterval" + n, "Time Interval", "0", "s", row++);
  b.edit("ACCOffInterval" + n, "ACC Off Interval", "0", "s", row++);
  b.edit("StopInterval" + n, "Stop Interval", "0", "s", row++);
  b.edit("RoamingInterval" + n, "Roaming Interval", "0", "s", row++).initiallyShown = false;
}

void BuildGprs(Builder& b) {
  b.tab(kGprs);
  b.section("GprsTop", "", 0, 0, 1, 2);
  b.edit("DeviceID", "Device ID", "", "", 0).readOnly = true;
  b.edit("APN", "APN", "", "", 1);
  b.edit("APNName", "APN Username", "", "", 2);
  b.edit("APNPassword", "APN Password", "", "", 3);
  b.section("Gprs1Group", "GPRS-1", 1, 0);
  BuildGprsChannel(b, false);
  b.section("Gprs2Group", "GPRS-2", 1, 1);
  BuildGprsChannel(b, true);
  b.readWrite("GPRSRead", "GPRSWrite");
}

Items CarTypes() {
  return {"0000(Standard)",
          "0100(Volkswagen/Audi/SKODA)",
          "0200(Buick/Chevrolet/Cadillac)",
          "0300(Ford/Mazda)",
          "0400(Toyota/Lexus)",
          "0500(Honda/Acura)",
          "0600(Nissan/Infiniti)",
          "0700(Kia)",
          "0800(Hyundai)",
          "0900(BMW)",
          "0A00(Mercedes Benz)",
          "0B00(Subaru)",
          "0C00(Mitsubishi)",
          "0D00(Renault)",
          "0E00(Peugeot/Citroen)",
          "0F00(Land Rover/Jaguar)",
          "1000(Volvo)",
          "1100(Ssangyong)",
          "1200(Chrysler)",
          "1300(Chery)",
          "1400(Geely)",
          "1500(BYD)",
          "1600(Great Wall)",
          "1700(Seahorse)",
          "1800(Zhonghua)",
          "1900(Trumpchi)",
          "1A00(MG)",
          "1B00(Guan Zhi)",
          "1C00(CCAG)",
          "1D00(BAIC)"};
}

void BuildMainLeft(Builder& b) {
  b.section("MainLeft", "", 0, 0);
  int row = 0;
  b.edit("GPSLogTM", "GPS Log Interval", "0", "second", row++);
  b.edit("DistanceInterval", "Distance Interval", "0", "meter", row++);
  b.edit("Heading", "Heading Change", "0", "degree", row++);
  b.edit("HeartBeatTM", "Heartbeat Interval", "0", "minute", row++);
  b.edit("Speed", "Speeding", "0", "km/h", row++);
  b.list("SleepMode", "Sleep Mode", {"Close", "Normal Sleep", "Deep Sleep"}, 0, row++);
  b.edit("PowerSavingTM", "Period Time Enter Sleep", "0", "second", row++);
  b.edit("SensorSen", "Vibration Sensitivity", "0", "", row++);
  b.edit("TowTM", "Tow Time", "0", "second", row++);
  b.list("TowMode", "Tow Mode", {"ACC Off and Tremble", "Tremble"}, 0, row++);
  b.edit("IdleTM", "Idle Time", "0", "minute", row++);
  b.edit("LowExtBatAlarm", "Low Ext-Bat", "11.4", "volt", row++);
  b.edit("Acceleration", "Harsh Accelerate", "0", "mg", row++);
  b.edit("Deceleration", "Harsh Braking", "0", "mg", row++);
  b.edit("HarshTurn", "Harsh Turning", "0", "", row++);
  b.edit("Impact", "Impact Sensitivity", "0", "", row++);
  b.edit("FatigueTM", "Fatigue Driving", "0", "minute", row++);
  b.edit("RestTM", "Fatigue Relieve", "0", "minute", row++);
  b.edit("TotalTM", "Overtime Driving", "0", "minute", row++);
  b.edit("GSMJammed", "GSM Jammed", "0", "second", row++);
  b.edit("BatteryLowVolt", "Low Battery Alarm", "3.60", "volt", row++).initiallyShown = false;
}

void BuildMainRight(Builder& b) {
  b.section("MainRight", "", 0, 1);
  b.list("Car_Type", "Car Type", CarTypes(), 0, 0);
  b.edit("LowSpeed", "Low Speed", "0", "km/h", 1);
  b.edit("RFIDAuthTime", "RFID Auth Time", "60", "s", 2);
  b.edit("ACCOffAuthTime", "ACC Off Auth Time", "5", "s", 3);
  b.list("ACCOffStop", "ACC Off Stop", {"Disable", "Enable"}, 0, 4);

  b.section("WorkModeGroup", "Work Mode", 5, 0, 1, 4, "MainRight");
  b.list("WorkMode", "Work Mode",
         {"Normal", "Normal Sport", "Saving Sport", "Wakeup Interval", "Alarm"}, 0, 0);
  b.edit("WakeupInterval", "Wakeup Interval", "0", "minute", 1);
  b.section("AlarmTimes", "", 2, 0, 1, 3, "WorkModeGroup");
  b.label("AlarmTimeLabel", "Alarm Time(hh:mm):", 0, 0).columnSpan = 8;
  for (int i = 1; i <= 24; ++i)
    b.edit("AlarmTime" + Num(i), "", "", "", 1 + (i - 1) / 8, (i - 1) % 8);

  b.section("Camera1Group", "Camera1", 6, 0, 1, 4, "MainRight");
  b.list("Resolution1", "Resolution", {"160*120", "320*240", "640*480"}, 0, 0);
  b.edit("Cmr1TimeInterval", "Time Interval", "0", "minute", 1);
  b.edit("Cmr1ACCInterval", "ACC Off Interval", "0", "minute", 2);
  b.edit("Cmr1StopInterval", "Stop Interval", "0", "minute", 3);
}

void BuildMain(Builder& b) {
  b.tab(kMain);
  BuildMainLeft(b);
  BuildMainRight(b);
  b.readWrite("MainRead", "MainWrite");
}

void BuildInputRows(Builder& b) {
  b.section("InputModeGroup", "Input Mode", 0, 0);
  const std::array<const char*, 6> captions{"Input1",      "Input2",      "Input3(AD2)",
                                            "Input4(AD1)", "Input5(AD1)", "Input6(AD2)"};
  for (int n = 1; n <= 6; ++n) {
    const bool shown = n <= 4;
    const int row = n - 1;
    b.label(InputCaptionLabel(n), captions[static_cast<std::size_t>(row)], row, 0).initiallyShown =
        shown;
    b.list(InputModeBox(n), "", {"Low Active", "High Active", "AD Input"}, shown ? 0 : 2, row, 1)
        .initiallyShown = shown;
    b.label(InputTimeLabel(n), "Active Time", row, 2).initiallyShown = shown;
    b.edit(InputTimeEdit(n), "", "0", "", row, 3).initiallyShown = shown;
    b.label(InputTimeUnit(n), "ms", row, 4).initiallyShown = shown;
  }
}

void BuildOutput(Builder& b, int n) {
  const std::string o = "Out" + Num(n);
  b.section(o + "Group", o + " Mode", 0, n);
  b.list(o + "Mode", "Mode", {"Open", "Close", "Pulse"}, 0, 0);
  b.edit(o + "TM", "Active Time", "0", "s", 1);
  b.edit(o + "OnTM", "On Time", "0", "ms", 2);
  b.edit(o + "OffTM", "Off Time", "0", "ms", 3);
  b.edit(o + "Speed", "Speed", "0", "km/h", 4);
}

void BuildTank(Builder& b, int n) {
  const std::string t = "Tank" + Num(n);
  b.section(t + "Group", t, 1, n - 1);
  b.edit(t + "Name", "Name", "", "", 0);
  b.list(t + "Source", "Source", {"AD1", "AD2", "RS232-1", "RS232-2"}, 0, 1);
  b.edit(t + "Lenght", "Lenght", "0", "mm", 2);
  b.edit(t + "Wide", "Wide", "0", "mm", 3);
  b.edit(t + "High", "High", "0", "mm", 4);
  b.list(t + "Type", "Sensor Type",
         {"No Sensor", "Stick", "Ultrasonic(100cm)", "Ultrasonic(250cm)"}, 0, 5);
  b.edit(t + "Steal", "Steal", "0", "Liter", 6);
  b.edit(t + "StealTM", "Steal Time", "0", "s", 7);
  b.edit(t + "Low", "Low Fuel", "0", "Liter", 8);
}

void BuildInterface(Builder& b) {
  b.tab(kInterface);
  BuildInputRows(b);
  BuildOutput(b, 1);
  BuildOutput(b, 2);
  BuildTank(b, 1);
  BuildTank(b, 2);
  b.section("SerialPortGroup", "Serial Port", 1, 2);
  const Items ports{"None", "RFID Reader", "OBD Decoder", "Camera", "Ultrasonic Sensor", "WiFi"};
  b.list("RS232_1", "RS232-1", ports, 0, 0);
  b.list("RS232_2", "RS232-2", ports, 0, 1);
  b.readWrite("InterfaceRead", "InterfaceWrite");
}

void BuildRfid(Builder& b) {
  b.tab(kRfid);
  b.section("RfidMain");
  b.edit("RFID", "RFID/iButton", "0", "pcs", 0);
  b.memo("RFID_Memo", 1, 0).columnSpan = 4;
  b.foot("RfidButtons");
  b.button("SET_ID", "Auth ID", 0, 0);
  b.button("DEL_ID", "Delete ID", 0, 1);
  b.button("CHK_ID", "Check ID", 0, 2);
}

void BuildTemp(Builder& b) {
  b.tab(kTemp);
  b.section("TempPairGroup", "Temperature Sensor Pairing", 0, 0);
  b.edit("Temp_Index", "Index", "", "", 0, 1);
  b.edit("Temp_Name", "Name", "", "", 0, 3);
  b.button("Temp_Pair", "Pair", 0, 4);
  b.section("TempTable", "", 1, 0);
  const std::array<const char*, 5> heads{"Index", "Name", "Sensor ID", "High Alarm(*C)",
                                         "Low Alarm(*C)"};
  const std::array<const char*, 5> headNames{"TempHeadIndex", "TempHeadName", "TempHeadID",
                                             "TempHeadHigh", "TempHeadLow"};
  for (int c = 0; c < 5; ++c) {
    b.label(headNames[static_cast<std::size_t>(c)], heads[static_cast<std::size_t>(c)], 0, c);
  }
  for (int n = 1; n <= 8; ++n) {
    const std::string t = "Temp" + Num(n);
    b.edit(t + "_Name", Num(n), "", "", n, 1);
    b.edit(t + "_ID", "", "", "", n, 2);
    b.edit(t + "_High", "", "", "", n, 3);
    b.edit(t + "_Low", "", "", "", n, 4);
  }
  b.readWrite("Temp_Read", "Temp_Write");
}

void BuildWifi(Builder& b) {
  b.tab(kWifi);
  for (int half = 0; half < 2; ++half) {
    const std::string side = half == 0 ? "Left" : "Right";
    b.section("Wifi" + side, "", 0, half);
    b.label("WifiHeadIndex" + side, "Index", 0, 0);
    b.label("WifiHeadSSID" + side, "SSID", 0, 1);
    b.label("WifiHeadPSW" + side, "Password", 0, 2);
    for (int i = 1; i <= 16; ++i) {
      const int n = half * 16 + i;
      b.edit("WIFI" + Num(n) + "SSID", Num(n), "", "", i, 1);
      b.edit("WIFI" + Num(n) + "PSW", "", "", "", i, 2);
    }
  }
  b.readWrite("WIFI_Read", "WIFI_Write");
}

void BuildAuth(Builder& b) {
  b.tab(kAuth);
  b.section("AuthTop");
  b.edit("SIMPIN", "SIM Card PIN", "", "", 0);
  b.edit("Password", "SMS Password", "4826", "", 1);
  b.edit("SMSTimeZone", "SMS Time Zone", "0", "minute", 2);
  b.edit("SMSTimeInterval", "Time Interval", "0", "minute", 3);
  b.edit("SMSACCOffInterval", "ACC Off Interval", "0", "minute", 4);
  b.edit("SMSStopInterval", "Stop Interval", "0", "minute", 5);
  b.section("AuthNumberGroup", "Auth Number", 1, 0);
  for (int n = 1; n <= 3; ++n) b.label("AuthHead" + Num(n), Num(n) + ".", 0, n);
  const std::array<std::pair<const char*, const char*>, 4> checks{{{"Answer", "Auto Answer"},
                                                                   {"Monitor", "Auto Monitor"},
                                                                   {"Hangup", "Auto Hangup"},
                                                                   {"Position", "SMS Position"}}};
  b.label("AuthNumberLabel", "Number", 1, 0);
  for (int n = 1; n <= 3; ++n) b.edit("Auth" + Num(n), "", "", "", 1, n);
  for (int r = 0; r < 4; ++r) {
    const auto& [suffix, caption] = checks[static_cast<std::size_t>(r)];
    b.label(std::string("Auth") + suffix + "Label", caption, 2 + r, 0);
    for (int n = 1; n <= 3; ++n) b.check("Auth" + Num(n) + suffix, "", 2 + r, n);
  }
  b.readWrite("SMSRead", "SMSWrite");
}

void BuildGeo(Builder& b) {
  b.tab(kGeo);
  b.section("GeoTable");
  const std::array<const char*, 7> heads{"No.",       "Name",     "Out Alarm", "In Alarm",
                                         "Radius(m)", "Latitude", "Longitude"};
  const std::array<const char*, 7> headNames{"GeoHeadNo",  "GeoHeadName",   "GeoHeadOut",
                                             "GeoHeadIn",  "GeoHeadRadius", "GeoHeadLat",
                                             "GeoHeadLong"};
  for (int c = 0; c < 7; ++c) {
    b.label(headNames[static_cast<std::size_t>(c)], heads[static_cast<std::size_t>(c)], 0, c);
  }
  for (int n = 1; n <= 8; ++n) {
    const std::string f = "No" + Num(n);
    b.edit(f + "Name", Num(n), "", "", n, 1);
    b.check(f + "Out", "", n, 2);
    b.check(f + "In", "", n, 3);
    b.edit(f + "Radius", "", "0", "", n, 4);
    b.edit(f + "Lat", "", "0.000000", "", n, 5);
    b.edit(f + "Long", "", "0.000000", "", n, 6);
  }
  b.readWrite("GEOFenceRead", "GEOFenceWrite");
}

bool InitiallySet(std::string_view name) {
  constexpr std::array<std::string_view, 9> kSet{"IntervalGPRS1", "IntervalGPRS2", "IntervalCMR1",
                                                 "ReplyGPRS1",    "ReplyGPRS2",    "ReplySMS1",
                                                 "ReplySMS2",     "ReplySMS3",     "ReplyCMR1"};
  return std::find(kSet.begin(), kSet.end(), name) != kSet.end();
}

void BuildEvent(Builder& b) {
  b.tab(kEvent);
  b.section("EventRows");
  int row = 0;
  for (const EventRow& e : EventRows()) {
    if (!e.nameEdit.empty()) b.edit(std::string(e.nameEdit), EventRowLabel(e), "", "", row, 1);
    for (const EventColumnInfo& col : EventColumns()) {
      if (!EventColumnPresent(e.columnSet, col.column)) continue;
      const std::string name = EventCheckName(e, col.column);
      ControlSpec& c = b.check(name, "", row, 2 + static_cast<int>(col.column));
      c.initialChecked = InitiallySet(name);
      c.initiallyEnabled = !(c.initialChecked && e.number == 0);
    }
    ++row;
  }
  b.readWrite("EventRead", "EventWrite");
}

void BuildDlt(Builder& b) {
  b.tab(kDlt);
  b.section("DltLicences");
  for (int n = 1; n <= 16; ++n) {
    b.edit("Licence" + Num(n), "Licence Type" + Num(n), "0", "", (n - 1) / 4,
           1 + 3 * ((n - 1) % 4));
  }
  b.section("DltOptions", "", 1, 0);
  b.edit("DLTAlarmTime", "Buzzer Alarm Time", "10", "Minute", 0);
  b.list("DLTTrack", "Magnetic Track Report", {"Track 1-3", "Track 3"}, 0, 1);
  b.list("LicenceReport", "Licence Report", {"Swiping Card Event", "Every Event"}, 0, 2);
  b.readWrite("DLTRead", "DLTWrite");
}

struct Built {
  std::vector<ControlSpec> controls;
  std::vector<SectionSpec> sections;
  std::unordered_map<std::string_view, std::size_t> index;
};

const Built& TheCatalogue() {
  static const Built built = [] {
    Builder b;
    BuildInfo(b);
    BuildGprs(b);
    BuildMain(b);
    BuildInterface(b);
    BuildRfid(b);
    BuildTemp(b);
    BuildWifi(b);
    BuildAuth(b);
    BuildGeo(b);
    BuildEvent(b);
    BuildDlt(b);
    Built out{b.takeControls(), b.takeSections(), {}};
    for (std::size_t i = 0; i < out.controls.size(); ++i) {
      out.index.emplace(out.controls[i].name, i);
    }
    return out;
  }();
  return built;
}

}  // namespace

std::span<const TabSpec, kTabCount> Tabs() {
  return kTabs;
}

const std::vector<SectionSpec>& Sections() {
  return TheCatalogue().sections;
}

const std::vector<ControlSpec>& Catalogue() {
  return TheCatalogue().controls;
}

const ControlSpec* FindControl(std::string_view name) {
  const Built& c = TheCatalogue();
  const auto it = c.index.find(name);
  return it == c.index.end() ? nullptr : &c.controls[it->second];
}

std::span<const std::string_view, kConnectionButtonCount> ConnectionButtons() {
  return kConnectionButtons;
}

std::string InputCaptionLabel(int input) {
  return "Label" + Num(kInputLabelNumbers.at(static_cast<std::size_t>(input - 1)));
}
std::string InputModeBox(int input) {
  return "In" + Num(input) + "Mode";
}
std::string InputTimeLabel(int input) {
  return "IN" + Num(input) + "ActiveTMLabel";
}
std::string InputTimeEdit(int input) {
  return "IN" + Num(input) + "ActiveTM";
}
std::string InputTimeUnit(int input) {
  return "IN" + Num(input) + "ActiveTMUnit";
}

}  // namespace tracker
