// Main: two ranges of block 2, A (offsets 0 to 33) and B (446 to 534).
#include "codec/encodings.h"
#include "codec/groups/group_rows.h"

namespace tracker {

const BlockRange ReqMainA{.block = 2, .offset = 0, .length = 34};
const BlockRange ReqMainB{.block = 2, .offset = 446, .length = 89};

const GroupSpec& MainASpec() {
  using namespace encoding;
  static const GroupSpec table{.id = Group::MainA,
                               .caption = "Main",
                               .write = ReqMainA,
                               .read = ReqMainA,
                               .fields = {
                                   {0, 2, &kU16, "GPSLogTM"},
                                   {2, 2, &kU16, "DistanceInterval"},
                                   {4, 1, &kU8, "Heading"},
                                   {5, 2, &kU16, "HeartBeatTM"},
                                   {7, 2, &kU16, "Speed"},
                                   {9, 1, &kIndex, "SleepMode"},
                                   {10, 2, &kU16, "PowerSavingTM"},
                                   {12, 1, &kU8, "SensorSen"},
                                   {13, 1, &kU8, "TowTM"},
                                   {14, 1, &kIndex, "TowMode"},
                                   {15, 1, &kU8, "IdleTM"},
                                   {16, 2, &kVolt100, "LowExtBatAlarm"},
                                   {18, 2, &kVolt100, "BatteryLowVolt"},
                                   {20, 2, &kU16, "Acceleration"},
                                   {22, 2, &kU16, "Deceleration"},
                                   {24, 1, &kU8, "HarshTurn"},
                                   {25, 1, &kU8, "Impact"},
                                   {26, 2, &kU16, "FatigueTM"},
                                   {28, 1, &kU8, "RestTM"},
                                   {29, 2, &kU16, "TotalTM"},
                                   {31, 1, &kU8, "GSMJammed"},
                               }};
  return table;
}

const GroupSpec& MainBSpec() {
  using namespace encoding;
  static const GroupSpec table = [] {
    GroupSpec t{.id = Group::MainB,
                .caption = "Main",
                .write = ReqMainB,
                .read = ReqMainB,
                .fields = {
                    {446, 1, &kIndex, "Resolution1"},
                    {447, 2, &kU16, "Cmr1TimeInterval"},
                    {449, 2, &kU16, "Cmr1ACCInterval"},
                    {451, 2, &kU16, "Cmr1StopInterval"},
                    {.offset = 453, .width = 25, .encoding = &kFixed, .control = {}, .fill = 0xFF},
                    {479, 1, &kIndex, "Car_Type"},
                    {480, 1, &kU8, "LowSpeed"},
                    {481, 1, &kU8, "RFIDAuthTime"},
                    {482, 1, &kIndex, "WorkMode"},
                    {483, 2, &kU16, "WakeupInterval"},
                }};
    for (int k = 1; k <= 24; ++k) {
      t.fields.push_back({static_cast<std::uint16_t>(485 + 2 * (k - 1)), 2, &kHhmm,
                          "AlarmTime" + std::to_string(k)});
    }
    t.fields.push_back({533, 1, &kU8, "ACCOffAuthTime"});
    t.fields.push_back({534, 1, &kIndex, "ACCOffStop"});
    return t;
  }();
  return table;
}

}  // namespace tracker
