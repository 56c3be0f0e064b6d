#include "ui/event_rows.h"

namespace tracker {
namespace {

using C = EventColumn;

constexpr std::array<EventColumnInfo, kEventColumnCount> kColumns{{
    {.column = C::GPRS1, .controlSuffix = "GPRS1", .keySuffix = "GPRS1", .header = "1"},
    {.column = C::GPRS2, .controlSuffix = "GPRS2", .keySuffix = "GPRS2", .header = "2"},
    {.column = C::SMS1, .controlSuffix = "SMS1", .keySuffix = "SMS1", .header = "sms"},
    {.column = C::Call1, .controlSuffix = "Call1", .keySuffix = "Call1", .header = "call"},
    {.column = C::Moni1, .controlSuffix = "Moni1", .keySuffix = "Moni1", .header = "moni"},
    {.column = C::SMS2, .controlSuffix = "SMS2", .keySuffix = "SMS2", .header = "sms"},
    {.column = C::Call2, .controlSuffix = "Call2", .keySuffix = "Call2", .header = "call"},
    {.column = C::Moni2, .controlSuffix = "Moni2", .keySuffix = "Moni2", .header = "moni"},
    {.column = C::SMS3, .controlSuffix = "SMS3", .keySuffix = "SMS3", .header = "sms"},
    {.column = C::Call3, .controlSuffix = "Call3", .keySuffix = "Call3", .header = "call"},
    {.column = C::Moni3, .controlSuffix = "Moni3", .keySuffix = "Moni3", .header = "moni"},
    {.column = C::OUT1, .controlSuffix = "OUT1", .keySuffix = "Out1", .header = "1"},
    {.column = C::OUT2, .controlSuffix = "OUT2", .keySuffix = "Out2", .header = "2"},
    {.column = C::CMR1, .controlSuffix = "CMR1", .keySuffix = "Camera1", .header = "1"},
}};

// number, caption, name edit, check stem, column set, key stem, name default, GPRS default
constexpr EventRow kRows[] = {
    {0, "Interval tracking", "IntervalName", "Interval", 1, "Interval", "Interval", true},
    {1, "Input1 active", "IN1Name", "IN1", 2, "Input1 active", "SOS", true},
    {2, "Input1 inactive", "IN1IName", "IN1I", 2, "Input1 inactive", "In1 Inactive", false},
    {3, "Input2 active", "IN2Name", "IN2", 2, "Input2 active", "Ignition On", true},
    {4, "Input2 inactive", "IN2IName", "IN2I", 2, "Input2 inactive", "Ignition Off", true},
    {5, "Input3 active", "IN3Name", "IN3", 2, "Input3 active", "Door Open", true},
    {6, "Input3 inactive", "IN3IName", "IN3I", 2, "Input3 inactive", "Door Close", false},
    {7, "Input4 active", "IN4Name", "IN4", 2, "Input4 active", "In4 Active", true},
    {8, "Input4 inactive", "IN4IName", "IN4I", 2, "Input4 inactive", "In4 Inactive", false},
    {9, "Input5 active", "IN5Name", "IN5", 2, "Input5 active", "In5 Active", true},
    {10, "Input5 inactive", "IN5IName", "IN5I", 2, "Input5 inactive", "In5 Inactive", false},
    {11, "Input6 active", "IN6Name", "IN6", 2, "Input6 active", "In6 Active", true},
    {12, "Input6 inactive", "IN6IName", "IN6I", 2, "Input6 inactive", "In6 Inactive", false},
    {17, "Ext-power low", "ExtPowerLowName", "ExtLow", 1, "Ext-power low", "Low Ext-Power", true},
    {18, "Ext-power lost", "ExtPowerLostName", "ExtLost", 2, "Ext-power lost", "Ext-Power Cut",
     true},
    {19, "Ext-power connect", "ExtPowerConnectName", "ExtCon", 2, "Ext-power connect",
     "Ext-Power On", true},
    {20, "Int-battery low", "BetLowName", "IntLow", 3, "Int-battery low", "Low Battery", true},
    {21, "GPS antenna cut", "AntennaCutName", "GPSCut", 2, "GPS antenna cut", "GPS Antenna Cut",
     true},
    {22, "Speeding alarm", "SpeedingName", "Speed", 2, "Speeding alarm", "Speeding", true},
    {23, "Enter sleep", "EnterSleepName", "EnterSleep", 1, "Enter sleep", "Enter Sleep", true},
    {24, "Exit sleep", "ExitSleepName", "ExitSleep", 1, "Exit sleep", "Wake Up", true},
    {25, "Exit geo-fence", "ExitGEOName", "ExitGEO", 2, "Exit geo-fence", "Exit Fence", true},
    {26, "Enter geo-fence", "EnterGEOName", "EnterGEO", 2, "Enter geo-fence", "Enter Fence", true},
    {27, "Lose GPS signal", "LoseGPSName", "LoseGPS", 1, "Lose GPS signal", "Lose GPS Signal",
     true},
    {28, "Get GPS signal", "GetGPSName", "GetGPS", 1, "Get GPS signal", "Get GPS Signal", true},
    {29, "Heading change", "HeadingName", "Head", 3, "Heading change", "Heading Change", true},
    {30, "Distance tracking", "DistanceName", "Dist", 3, "Distance tracking", "Distance", true},
    {31, "Heartbeat report", "", "Heart", 4, "Heartbeat report", "", true},
    {32, "Device power on", "PowerOnName", "PWROn", 1, "Device power on", "Power On", true},
    {33, "Device power off", "PowerOffName", "PWROff", 1, "Device power off", "Power Off", false},
    {34, "Reply current", "CurrentName", "Reply", 1, "Reply current", "Current", true},
    {35, "Tow alarm", "TowName", "Tow", 2, "Tow alarm", "Tow", true},
    {36, "Stop moving", "StopName", "Stop", 1, "Stop moving", "Stop Moving", true},
    {37, "Start moving", "StartName", "Start", 1, "Start moving", "Start Moving", true},
    {38, "Idling alarm", "IdlingName", "Idle", 5, "Idling alarm", "Idling", true},
    {39, "Harsh accelerate", "AcceName", "Acce", 2, "Harsh accelerate", "Harsh Accelerate", true},
    {40, "Harsh braking", "BrakingName", "Brake", 2, "Harsh braking", "Harsh Braking", true},
    {41, "Harsh turning", "TurningName", "Turn", 2, "Harsh turning", "Harsh Turning", true},
    {42, "Impact alarm", "ImpactName", "Impact", 2, "Impact alarm", "Impact", true},
    {43, "Fatigue driving", "FatigueName", "Fatiguet", 2, "Fatigue driving", "Fatigue Driving",
     true},
    {44, "Fatigue relieve", "RelieveName", "Relieve", 2, "Fatigue relieve", "Fatigue Relieve",
     true},
    {45, "Overtime driving", "OvertimeName", "Overtime", 2, "Overtime driving", "Overtime Driving",
     true},
    {46, "Temperature high", "TempHighName", "TempHigh", 2, "Temperature high", "Temperature High",
     true},
    {47, "Temperature low", "TempLowName", "TempLow", 2, "Temperature low", "Temperature Low",
     true},
    {48, "Fuel steal alarm", "FuelStealName", "FuelSteal", 2, "Fuel steal alarm", "Fuel Steal",
     true},
    {49, "Low fuel alarm", "LowFuelName", "FuelLow", 2, "Low fuel alarm", "Fuel Level Low", true},
    {50, "GSM jammed", "JammedName", "Jammed", 2, "GSM jammed", "GSM Jammed", true},
    {51, "GSM no jamming", "NoJammingName", "NoJammed", 2, "GSM no jamming", "GSM No Jamming",
     true},
    {52, "Stealing alarm", "StealingName", "Steal", 2, "Stealing alarm", "Stealing", true},
    {53, "Swiping card", "RFIDName", "RFID", 5, "Swiping card", "Swiping Card", true},
    {54, "Picture event", "", "Picture", 4, "Picture event", "", true},
    {55, "Disassembly", "DisassemblyName", "Disassembly", 6, "Disassembly", "Dismantling", true},
    {56, "Trouble", "TroubleName", "Trouble", 2, "Trouble", "Trouble", true},
    {57, "Low Speed", "LowSpeedName", "LowSpeed", 2, "Low Speed", "Low Speed", true},
};

}  // namespace

std::span<const EventColumnInfo, kEventColumnCount> EventColumns() {
  return kColumns;
}

std::span<const EventRow> EventRows() {
  return kRows;
}

bool EventColumnPresent(int columnSet, EventColumn column) {
  switch (columnSet) {
    case 1:
      return column == C::GPRS1 || column == C::GPRS2 || column == C::SMS1 || column == C::SMS2 ||
             column == C::SMS3 || column == C::CMR1;
    case 2:
      return true;
    case 3:
      return column == C::GPRS1 || column == C::GPRS2 || column == C::SMS1 || column == C::SMS2 ||
             column == C::SMS3;
    case 4:
      return column == C::GPRS1 || column == C::GPRS2;
    case 5:
      return column == C::GPRS1 || column == C::GPRS2 || column == C::SMS1 || column == C::SMS2 ||
             column == C::SMS3 || column == C::OUT1 || column == C::OUT2 || column == C::CMR1;
    case 6:
      return column != C::OUT1 && column != C::OUT2 && column != C::CMR1;
    default:
      return false;
  }
}

std::string EventCheckName(const EventRow& row, EventColumn column) {
  return std::string(row.checkStem) +
         std::string(kColumns[static_cast<std::size_t>(column)].controlSuffix);
}

std::string EventRowLabel(const EventRow& row) {
  return "(" + std::to_string(row.number) + ") " + std::string(row.caption);
}

}  // namespace tracker
