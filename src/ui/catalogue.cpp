#include "ui/catalogue.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

#include "base/name_index.h"
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

// Caption labels of the input rows, input 1 first.
constexpr std::array<int, 6> kInputLabelNumbers{219, 218, 214, 215, 216, 217};

// Widths of short fields, in characters: the digits of their largest value.
constexpr int kByteChars = 3;     // 0 to 255
constexpr int kWordChars = 5;     // 0 to 65535
constexpr int kLongChars = 10;    // 0 to 4294967295
constexpr int kVoltChars = 6;     // 655.35
constexpr int kDegreeChars = 11;  // -180.000000
constexpr int kTempChars = 6;     // -3276.8
constexpr int kPortChars = 5;     // an IP port
constexpr int kTimeChars = 5;     // hh:mm
constexpr int kCodeChars = 4;     // the authorisation code

// A section: b.section({.id = "InfoRows", .row = 1, .columnSpan = 2}).
struct SectionRow {
  std::string id{};
  std::string caption{};  // group-box caption; empty for an untitled area
  int row = 0;
  int column = 0;
  int rowSpan = 1;
  int columnSpan = 1;
  std::string parent{};  // enclosing section; empty for the tab itself
};

// An edit: b.edit({.name = "Mileage", .caption = "Mileage", .initial = "0", .unit = "m", .row =
// 9}).
struct EditRow {
  std::string name{};
  std::string caption{};  // label to the left
  std::string initial{};  // text before anything is read or loaded
  std::string unit{};     // label to the right
  int row = 0;
  int column = 1;
  int chars = 0;  // see ControlSpec::chars
};

// A list: b.list({.name = "GPRSType", .caption = "GPRS Mode", .items = {…}, .row = 4}).
struct ListRow {
  std::string name{};
  std::string caption{};
  Items items{};         // in wire order
  int initialIndex = 0;  // -1: no item selected
  int row = 0;
  int column = 1;
};

// The grid cell of a button, check or label: {.row = 1, .column = 0}.
struct Cell {
  int row = 0;
  int column = 1;
  int columnSpan = 1;
};

// Collects sections and controls; a control lands in the current tab and section.
class Builder {
 public:
  void tab(int t) { tab_ = t; }

  void section(SectionRow s) {
    groupBox_ = s.caption;
    if (s.caption.empty() && !s.parent.empty()) groupBox_ = captionOf(s.parent);
    section_ = s.id;
    sections_.push_back({std::move(s.id), tab_, std::move(s.caption), std::move(s.parent), s.row,
                         s.column, s.rowSpan, s.columnSpan, false});
  }

  void foot(std::string id) {
    section({.id = std::move(id)});
    sections_.back().foot = true;
  }

  ControlSpec& edit(EditRow e) {
    ControlSpec& c = add(std::move(e.name), ControlKind::Edit, std::move(e.caption),
                         {.row = e.row, .column = e.column});
    c.initialText = std::move(e.initial);
    c.unit = std::move(e.unit);
    c.chars = e.chars;
    return c;
  }

  ControlSpec& list(ListRow l) {
    ControlSpec& c = add(std::move(l.name), ControlKind::List, std::move(l.caption),
                         {.row = l.row, .column = l.column});
    c.items = std::move(l.items);
    c.initialIndex = l.initialIndex;
    if (l.initialIndex >= 0) c.initialText = c.items[static_cast<std::size_t>(l.initialIndex)];
    return c;
  }

  ControlSpec& check(std::string name, Cell at) {
    return add(std::move(name), ControlKind::Check, {}, at);
  }

  ControlSpec& button(std::string name, std::string caption, Cell at) {
    return add(std::move(name), ControlKind::Button, std::move(caption), at);
  }

  ControlSpec& label(std::string name, std::string caption, Cell at) {
    return add(std::move(name), ControlKind::Label, std::move(caption), at);
  }

  // A label heading a table column.
  ControlSpec& header(std::string name, std::string caption, int column) {
    ControlSpec& c = label(std::move(name), std::move(caption), {.row = 0, .column = column});
    c.columnHeader = true;
    return c;
  }

  ControlSpec& memo(std::string name, Cell at) {
    return add(std::move(name), ControlKind::Memo, {}, at);
  }

  // Read and Write buttons at the foot of the tab.
  void readWrite(const std::string& read, const std::string& write) {
    foot(read + "Buttons");
    button(read, "Read", {.row = 0, .column = 0});
    button(write, "Write", {.row = 0, .column = 1});
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

  ControlSpec& add(std::string name, ControlKind kind, std::string caption, Cell at) {
    ControlSpec c;
    c.name = std::move(name);
    c.kind = kind;
    c.tab = tab_;
    c.groupBox = groupBox_;
    c.caption = std::move(caption);
    c.section = section_;
    c.row = at.row;
    c.column = at.column;
    c.columnSpan = at.columnSpan;
    controls_.push_back(std::move(c));
    return controls_.back();
  }

  int tab_ = 0;
  std::string section_;
  std::string groupBox_;
  std::vector<ControlSpec> controls_;
  std::vector<SectionSpec> sections_;
};

std::string Num(int n) {
  return std::to_string(n);
}

// A row of the device information with its Clear or Set button. The tracker
// fills them; only the mileage, which "Set" sends, is typed.
void InfoRow(Builder& b, EditRow e, const std::string& button, const std::string& caption) {
  const int row = e.row;
  b.edit(std::move(e)).readOnly = button != "SetMileage";
  if (!button.empty()) b.button(button, caption, {.row = row, .column = 3});
}

void BuildInfo(Builder& b) {
  b.tab(kInfo);
  b.section({.id = "ComGroup", .caption = "Com"});
  b.list({.name = "ComboBox1", .initialIndex = -1, .column = 0}).portList = true;
  b.button("OpenPort", "Open", {.row = 0, .column = 1});
  b.section({.id = "OperationGroup", .caption = "Operation", .column = 1});
  b.edit({.name = "AuthCode", .caption = "Auth Code:", .chars = kCodeChars}).columnSpan = 2;
  b.button("ReadAll", "Read All", {.row = 1, .column = 0});
  b.button("WriteAll", "Write All", {.row = 1, .column = 1});
  b.button("InitAll", "Default", {.row = 1, .column = 2}).caution = true;
  b.section({.id = "InfoRows", .row = 1, .columnSpan = 2});
  b.button("ClearCode", "Clear Auth Code", {.row = 0, .column = 1});
  InfoRow(b, {.name = "SN", .caption = "SN", .row = 1}, "", "");
  InfoRow(b, {.name = "IMEI", .caption = "IMEI", .row = 2}, "", "");
  InfoRow(b, {.name = "Firmware", .caption = "Firmware", .row = 3}, "", "");
  InfoRow(b, {.name = "Battery", .caption = "Int-Battery", .unit = "percent", .row = 4}, "", "");
  InfoRow(b, {.name = "GPRS1Buffer", .caption = "GPRS-1 Buffer", .unit = "pcs", .row = 5},
          "ClearGPRS1", "Clear");
  InfoRow(b, {.name = "GPRS2Buffer", .caption = "GPRS-2 Buffer", .unit = "pcs", .row = 6},
          "ClearGPRS2", "Clear");
  InfoRow(b, {.name = "SMSBuffer", .caption = "SMS Buffer", .unit = "pcs", .row = 7}, "ClearSMS",
          "Clear");
  InfoRow(b, {.name = "GPSLog", .caption = "GPS Log", .unit = "pcs", .row = 8}, "ClearGPSLog",
          "Clear");
  InfoRow(b,
          {.name = "Mileage",
           .caption = "Mileage",
           .initial = "0",
           .unit = "m",
           .row = 9,
           .chars = kLongChars},
          "SetMileage", "Set");
}

// One GPRS channel group; the second channel has no backup server.
void BuildGprsChannel(Builder& b, bool second) {
  const std::string ip = second ? "IP3" : "IP";
  const std::string port = second ? "Port3" : "Port";
  const std::string n = second ? "2" : "";
  int row = 0;
  b.edit({.name = ip, .caption = "IP", .row = row++});
  b.edit({.name = port, .caption = "Port", .row = row++, .chars = kPortChars});
  if (!second) {
    b.edit({.name = "IP2", .caption = "Backup IP", .row = row++});
    b.edit({.name = "Port2", .caption = "Backup Port", .row = row++, .chars = kPortChars});
  } else {
    row += 2;  // no backup server: its rows stay empty so both channels line up
  }
  b.list({.name = "GPRSType" + n,
          .caption = "GPRS Mode",
          .items = {"Close", "TCP", "UDP"},
          .row = row++});
  b.list({.name = "ReportType" + n,
          .caption = "Report Mode",
          .items = {"No needs server's confirmation", "Needs server's confirmation"},
          .row = row++})
      .initiallyEnabled = !second;
  b.list({.name = "BufferMode" + n,
          .caption = "Buffer Mode",
          .items = {"FILO", "FIFO"},
          .row = row++});
  const auto interval = [&](const std::string& name, const std::string& caption) -> ControlSpec& {
    return b.edit({.name = name + n,
                   .caption = caption,
                   .initial = "0",
                   .unit = "s",
                   .row = row++,
                   .chars = kWordChars});
  };
  interval("TimeInterval", "Time Interval");
  interval("ACCOffInterval", "ACC Off Interval");
  interval("StopInterval", "Stop Interval");
  interval("RoamingInterval", "Roaming Interval").initiallyShown = false;
}

void BuildGprs(Builder& b) {
  b.tab(kGprs);
  b.section({.id = "GprsTop", .columnSpan = 2});
  b.edit({.name = "DeviceID", .caption = "Device ID"}).readOnly = true;
  b.edit({.name = "APN", .caption = "APN", .row = 1});
  b.edit({.name = "APNName", .caption = "APN Username", .row = 2});
  b.edit({.name = "APNPassword", .caption = "APN Password", .row = 3});
  b.section({.id = "Gprs1Group", .caption = "GPRS-1", .row = 1});
  BuildGprsChannel(b, false);
  b.section({.id = "Gprs2Group", .caption = "GPRS-2", .row = 1, .column = 1});
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

// A short number field of a form, one row below the last.
struct NumberRow {
  std::string name{};
  std::string caption{};
  std::string unit{};
  std::string initial = "0";
  int chars = kWordChars;
};

void BuildMainLeft(Builder& b) {
  b.section({.id = "MainLeft"});
  int row = 0;
  const auto number = [&](NumberRow n) -> ControlSpec& {
    return b.edit({.name = std::move(n.name),
                   .caption = std::move(n.caption),
                   .initial = std::move(n.initial),
                   .unit = std::move(n.unit),
                   .row = row++,
                   .chars = n.chars});
  };
  number({.name = "GPSLogTM", .caption = "GPS Log Interval", .unit = "second"});
  number({.name = "DistanceInterval", .caption = "Distance Interval", .unit = "meter"});
  number({.name = "Heading", .caption = "Heading Change", .unit = "degree", .chars = kByteChars});
  number({.name = "HeartBeatTM", .caption = "Heartbeat Interval", .unit = "minute"});
  number({.name = "Speed", .caption = "Speeding", .unit = "km/h"});
  b.list({.name = "SleepMode",
          .caption = "Sleep Mode",
          .items = {"Close", "Normal Sleep", "Deep Sleep"},
          .row = row++});
  number({.name = "PowerSavingTM", .caption = "Period Time Enter Sleep", .unit = "second"});
  number({.name = "SensorSen", .caption = "Vibration Sensitivity", .chars = kByteChars});
  number({.name = "TowTM", .caption = "Tow Time", .unit = "second", .chars = kByteChars});
  b.list({.name = "TowMode",
          .caption = "Tow Mode",
          .items = {"ACC Off and Tremble", "Tremble"},
          .row = row++});
  number({.name = "IdleTM", .caption = "Idle Time", .unit = "minute", .chars = kByteChars});
  number({.name = "LowExtBatAlarm",
          .caption = "Low Ext-Bat",
          .unit = "volt",
          .initial = "11.4",
          .chars = kVoltChars});
  number({.name = "Acceleration", .caption = "Harsh Accelerate", .unit = "mg"});
  number({.name = "Deceleration", .caption = "Harsh Braking", .unit = "mg"});
  number({.name = "HarshTurn", .caption = "Harsh Turning", .chars = kByteChars});
  number({.name = "Impact", .caption = "Impact Sensitivity", .chars = kByteChars});
  number({.name = "FatigueTM", .caption = "Fatigue Driving", .unit = "minute"});
  number({.name = "RestTM", .caption = "Fatigue Relieve", .unit = "minute", .chars = kByteChars});
  number({.name = "TotalTM", .caption = "Overtime Driving", .unit = "minute"});
  number({.name = "GSMJammed", .caption = "GSM Jammed", .unit = "second", .chars = kByteChars});
  number({.name = "BatteryLowVolt",
          .caption = "Low Battery Alarm",
          .unit = "volt",
          .initial = "3.60",
          .chars = kVoltChars})
      .initiallyShown = false;
}

void BuildMainRight(Builder& b) {
  b.section({.id = "MainRight", .column = 1});
  b.list({.name = "Car_Type", .caption = "Car Type", .items = CarTypes()});
  b.edit({.name = "LowSpeed",
          .caption = "Low Speed",
          .initial = "0",
          .unit = "km/h",
          .row = 1,
          .chars = kByteChars});
  b.edit({.name = "RFIDAuthTime",
          .caption = "RFID Auth Time",
          .initial = "60",
          .unit = "s",
          .row = 2,
          .chars = kByteChars});
  b.edit({.name = "ACCOffAuthTime",
          .caption = "ACC Off Auth Time",
          .initial = "5",
          .unit = "s",
          .row = 3,
          .chars = kByteChars});
  b.list(
      {.name = "ACCOffStop", .caption = "ACC Off Stop", .items = {"Disable", "Enable"}, .row = 4});

  b.section({.id = "WorkModeGroup",
             .caption = "Work Mode",
             .row = 5,
             .columnSpan = 4,
             .parent = "MainRight"});
  b.list({.name = "WorkMode",
          .caption = "Work Mode",
          .items = {"Normal", "Normal Sport", "Saving Sport", "Wakeup Interval", "Alarm"}});
  b.edit({.name = "WakeupInterval",
          .caption = "Wakeup Interval",
          .initial = "0",
          .unit = "minute",
          .row = 1,
          .chars = kWordChars});
  b.section({.id = "AlarmTimes", .row = 2, .columnSpan = 3, .parent = "WorkModeGroup"});
  b.label("AlarmTimeLabel", "Alarm Time(hh:mm):", {.row = 0, .column = 0, .columnSpan = 8});
  for (int i = 1; i <= 24; ++i) {
    b.edit({.name = "AlarmTime" + Num(i),
            .row = 1 + (i - 1) / 8,
            .column = (i - 1) % 8,
            .chars = kTimeChars});
  }
}

void BuildMainCamera(Builder& b) {
  b.section({.id = "Camera1Group",
             .caption = "Camera1",
             .row = 6,
             .columnSpan = 4,
             .parent = "MainRight"});
  b.list(
      {.name = "Resolution1", .caption = "Resolution", .items = {"160*120", "320*240", "640*480"}});
  int row = 1;
  for (const auto& [name, caption] : {std::pair{"Cmr1TimeInterval", "Time Interval"},
                                      std::pair{"Cmr1ACCInterval", "ACC Off Interval"},
                                      std::pair{"Cmr1StopInterval", "Stop Interval"}}) {
    b.edit({.name = name,
            .caption = caption,
            .initial = "0",
            .unit = "minute",
            .row = row++,
            .chars = kWordChars});
  }
}

void BuildMain(Builder& b) {
  b.tab(kMain);
  BuildMainLeft(b);
  BuildMainRight(b);
  BuildMainCamera(b);
  b.readWrite("MainRead", "MainWrite");
}

void BuildInputRows(Builder& b) {
  b.section({.id = "InputModeGroup", .caption = "Input Mode"});
  const std::array<const char*, 6> captions{"Input1",      "Input2",      "Input3(AD2)",
                                            "Input4(AD1)", "Input5(AD1)", "Input6(AD2)"};
  for (int n = 1; n <= 6; ++n) {
    const bool shown = n <= 4;
    const int row = n - 1;
    b.label(InputCaptionLabel(n), captions[static_cast<std::size_t>(row)],
            {.row = row, .column = 0})
        .initiallyShown = shown;
    b.list({.name = InputModeBox(n),
            .items = {"Low Active", "High Active", "AD Input"},
            .initialIndex = shown ? 0 : 2,
            .row = row})
        .initiallyShown = shown;
    b.label(InputTimeLabel(n), "Active Time", {.row = row, .column = 2}).initiallyShown = shown;
    b.edit({.name = InputTimeEdit(n), .initial = "0", .row = row, .column = 3, .chars = kWordChars})
        .initiallyShown = shown;
    b.label(InputTimeUnit(n), "ms", {.row = row, .column = 4}).initiallyShown = shown;
  }
}

void BuildOutput(Builder& b, int n) {
  const std::string o = "Out" + Num(n);
  b.section({.id = o + "Group", .caption = o + " Mode", .column = n});
  b.list({.name = o + "Mode", .caption = "Mode", .items = {"Open", "Close", "Pulse"}});
  int row = 1;
  for (const auto& [suffix, caption, unit] :
       {std::tuple{"TM", "Active Time", "s"}, std::tuple{"OnTM", "On Time", "ms"},
        std::tuple{"OffTM", "Off Time", "ms"}, std::tuple{"Speed", "Speed", "km/h"}}) {
    b.edit({.name = o + suffix,
            .caption = caption,
            .initial = "0",
            .unit = unit,
            .row = row++,
            .chars = kWordChars});
  }
}

void BuildTank(Builder& b, int n) {
  const std::string t = "Tank" + Num(n);
  b.section({.id = t + "Group", .caption = t, .row = 1, .column = n - 1});
  b.edit({.name = t + "Name", .caption = "Name"});
  b.list({.name = t + "Source",
          .caption = "Source",
          .items = {"AD1", "AD2", "RS232-1", "RS232-2"},
          .row = 1});
  const auto number = [&](const char* suffix, const char* caption, const char* unit, int row) {
    b.edit({.name = t + suffix,
            .caption = caption,
            .initial = "0",
            .unit = unit,
            .row = row,
            .chars = kWordChars});
  };
  number("Lenght", "Lenght", "mm", 2);
  number("Wide", "Wide", "mm", 3);
  number("High", "High", "mm", 4);
  b.list({.name = t + "Type",
          .caption = "Sensor Type",
          .items = {"No Sensor", "Stick", "Ultrasonic(100cm)", "Ultrasonic(250cm)"},
          .row = 5});
  number("Steal", "Steal", "Liter", 6);
  number("StealTM", "Steal Time", "s", 7);
  number("Low", "Low Fuel", "Liter", 8);
}

void BuildInterface(Builder& b) {
  b.tab(kInterface);
  BuildInputRows(b);
  BuildOutput(b, 1);
  BuildOutput(b, 2);
  BuildTank(b, 1);
  BuildTank(b, 2);
  b.section({.id = "SerialPortGroup", .caption = "Serial Port", .row = 1, .column = 2});
  const Items ports{"None", "RFID Reader", "OBD Decoder", "Camera", "Ultrasonic Sensor", "WiFi"};
  b.list({.name = "RS232_1", .caption = "RS232-1", .items = ports});
  b.list({.name = "RS232_2", .caption = "RS232-2", .items = ports, .row = 1});
  b.readWrite("InterfaceRead", "InterfaceWrite");
}

void BuildRfid(Builder& b) {
  b.tab(kRfid);
  b.section({.id = "RfidMain"});
  b.edit({.name = "RFID", .caption = "RFID/iButton", .initial = "0", .unit = "pcs"});
  b.memo("RFID_Memo", {.row = 1, .column = 0, .columnSpan = 4});
  b.foot("RfidButtons");
  b.button("SET_ID", "Auth ID", {.row = 0, .column = 0});
  b.button("DEL_ID", "Delete ID", {.row = 0, .column = 1});
  b.button("CHK_ID", "Check ID", {.row = 0, .column = 2});
}

void BuildTemp(Builder& b) {
  b.tab(kTemp);
  b.section({.id = "TempPairGroup", .caption = "Temperature Sensor Pairing"});
  b.edit({.name = "Temp_Index", .caption = "Index", .chars = kByteChars});
  b.edit({.name = "Temp_Name", .caption = "Name", .column = 3});
  b.button("Temp_Pair", "Pair", {.row = 0, .column = 4});
  b.section({.id = "TempTable", .row = 1});
  b.header("TempHeadIndex", "Index", 0);
  b.header("TempHeadName", "Name", 1);
  b.header("TempHeadID", "Sensor ID", 2);
  b.header("TempHeadHigh", "High Alarm(*C)", 3);
  b.header("TempHeadLow", "Low Alarm(*C)", 4);
  for (int n = 1; n <= 8; ++n) {
    const std::string t = "Temp" + Num(n);
    b.edit({.name = t + "_Name", .caption = Num(n), .row = n, .column = 1});
    b.edit({.name = t + "_ID", .row = n, .column = 2});
    b.edit({.name = t + "_High", .row = n, .column = 3, .chars = kTempChars});
    b.edit({.name = t + "_Low", .row = n, .column = 4, .chars = kTempChars});
  }
  b.readWrite("Temp_Read", "Temp_Write");
}

void BuildWifi(Builder& b) {
  b.tab(kWifi);
  for (int half = 0; half < 2; ++half) {
    const std::string side = half == 0 ? "Left" : "Right";
    b.section({.id = "Wifi" + side, .column = half});
    b.header("WifiHeadIndex" + side, "Index", 0);
    b.header("WifiHeadSSID" + side, "SSID", 1);
    b.header("WifiHeadPSW" + side, "Password", 2);
    for (int i = 1; i <= 16; ++i) {
      const int n = half * 16 + i;
      b.edit({.name = "WIFI" + Num(n) + "SSID", .caption = Num(n), .row = i, .column = 1});
      b.edit({.name = "WIFI" + Num(n) + "PSW", .row = i, .column = 2});
    }
  }
  b.readWrite("WIFI_Read", "WIFI_Write");
}

void BuildAuth(Builder& b) {
  b.tab(kAuth);
  b.section({.id = "AuthTop"});
  b.edit({.name = "SIMPIN", .caption = "SIM Card PIN"});
  b.edit({.name = "Password", .caption = "SMS Password", .initial = "4826", .row = 1});
  b.edit({.name = "SMSTimeZone",
          .caption = "SMS Time Zone",
          .initial = "0",
          .unit = "minute",
          .row = 2,
          .chars = kWordChars});
  int row = 3;
  for (const auto& [name, caption] : {std::pair{"SMSTimeInterval", "Time Interval"},
                                      std::pair{"SMSACCOffInterval", "ACC Off Interval"},
                                      std::pair{"SMSStopInterval", "Stop Interval"}}) {
    b.edit({.name = name,
            .caption = caption,
            .initial = "0",
            .unit = "minute",
            .row = row++,
            .chars = kWordChars});
  }
  b.section({.id = "AuthNumberGroup", .caption = "Auth Number", .row = 1});
  for (int n = 1; n <= 3; ++n) b.header("AuthHead" + Num(n), Num(n) + ".", n);
  const std::array<std::pair<const char*, const char*>, 4> checks{{{"Answer", "Auto Answer"},
                                                                   {"Monitor", "Auto Monitor"},
                                                                   {"Hangup", "Auto Hangup"},
                                                                   {"Position", "SMS Position"}}};
  b.label("AuthNumberLabel", "Number", {.row = 1, .column = 0});
  for (int n = 1; n <= 3; ++n) b.edit({.name = "Auth" + Num(n), .row = 1, .column = n});
  for (int r = 0; r < 4; ++r) {
    const auto& [suffix, caption] = checks[static_cast<std::size_t>(r)];
    b.label(std::string("Auth") + suffix + "Label", caption, {.row = 2 + r, .column = 0});
    for (int n = 1; n <= 3; ++n) b.check("Auth" + Num(n) + suffix, {.row = 2 + r, .column = n});
  }
  b.readWrite("SMSRead", "SMSWrite");
}

void BuildGeo(Builder& b) {
  b.tab(kGeo);
  b.section({.id = "GeoTable"});
  b.header("GeoHeadNo", "No.", 0);
  b.header("GeoHeadName", "Name", 1);
  b.header("GeoHeadOut", "Out Alarm", 2);
  b.header("GeoHeadIn", "In Alarm", 3);
  b.header("GeoHeadRadius", "Radius(m)", 4);
  b.header("GeoHeadLat", "Latitude", 5);
  b.header("GeoHeadLong", "Longitude", 6);
  for (int n = 1; n <= 8; ++n) {
    const std::string f = "No" + Num(n);
    b.edit({.name = f + "Name", .caption = Num(n), .row = n, .column = 1});
    b.check(f + "Out", {.row = n, .column = 2});
    b.check(f + "In", {.row = n, .column = 3});
    b.edit({.name = f + "Radius", .initial = "0", .row = n, .column = 4, .chars = kLongChars});
    b.edit(
        {.name = f + "Lat", .initial = "0.000000", .row = n, .column = 5, .chars = kDegreeChars});
    b.edit(
        {.name = f + "Long", .initial = "0.000000", .row = n, .column = 6, .chars = kDegreeChars});
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
  b.section({.id = "EventRows"});
  int row = 0;
  for (const EventRow& e : EventRows()) {
    if (!e.nameEdit.empty()) {
      b.edit({.name = std::string(e.nameEdit), .caption = EventRowLabel(e), .row = row});
    }
    for (const EventColumnInfo& col : EventColumns()) {
      if (!EventColumnPresent(e.columnSet, col.column)) continue;
      const std::string name = EventCheckName(e, col.column);
      ControlSpec& c = b.check(name, {.row = row, .column = 2 + static_cast<int>(col.column)});
      c.initialChecked = InitiallySet(name);
      c.initiallyEnabled = !(c.initialChecked && e.number == 0);
    }
    ++row;
  }
  b.readWrite("EventRead", "EventWrite");
}

void BuildDlt(Builder& b) {
  b.tab(kDlt);
  b.section({.id = "DltLicences"});
  for (int n = 1; n <= 16; ++n) {
    b.edit({.name = "Licence" + Num(n),
            .caption = "Licence Type" + Num(n),
            .initial = "0",
            .row = (n - 1) / 4,
            .column = 1 + 3 * ((n - 1) % 4),
            .chars = kWordChars});
  }
  b.section({.id = "DltOptions", .row = 1});
  b.edit({.name = "DLTAlarmTime",
          .caption = "Buzzer Alarm Time",
          .initial = "10",
          .unit = "Minute",
          .chars = kByteChars});
  b.list({.name = "DLTTrack",
          .caption = "Magnetic Track Report",
          .items = {"Track 1-3", "Track 3"},
          .row = 1});
  b.list({.name = "LicenceReport",
          .caption = "Licence Report",
          .items = {"Swiping Card Event", "Every Event"},
          .row = 2});
  b.readWrite("DLTRead", "DLTWrite");
}

struct Built {
  std::vector<ControlSpec> controls;
  std::vector<SectionSpec> sections;
  NameIndex index;
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
      out.index.add(out.controls[i].name, i);
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
  const std::size_t at = c.index.find(name);
  return at == NameIndex::npos ? nullptr : &c.controls[at];
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
