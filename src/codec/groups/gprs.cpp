// GPRS: block 1, the APN and the two server channels. The device identifier
// at offset 16 is read but never written.
#include "codec/encodings.h"
#include "codec/groups/group_rows.h"

namespace tracker {

const BlockRange ReqGprs{.block = 1, .offset = 16, .length = 255};
const BlockRange ReqDeviceId{.block = 1, .offset = 16, .length = 15};

const GroupSpec& GprsSpec() {
  using namespace encoding;
  static const GroupSpec table{.id = Group::Gprs,
                               .caption = "GPRS",
                               .write = {.block = 1, .offset = 32, .length = 229},
                               .read = ReqGprs,
                               .fields = {
                                   {.offset = 16,
                                    .width = 16,
                                    .encoding = &kText,
                                    .control = "DeviceID",
                                    .direction = Direction::NeverWritten},
                                   {32, 32, &kText, "APN"},
                                   {64, 32, &kText, "APNName"},
                                   {96, 32, &kText, "APNPassword"},
                                   {128, 32, &kText, "IP"},
                                   {160, 5, &kText, "Port"},
                                   {165, 32, &kText, "IP2"},
                                   {197, 5, &kText, "Port2"},
                                   {202, 1, &kIndex, "GPRSType"},
                                   {203, 1, &kIndex, "ReportType"},
                                   {204, 1, &kIndex, "BufferMode"},
                                   {205, 2, &kU16, "TimeInterval"},
                                   {207, 2, &kU16, "ACCOffInterval"},
                                   {209, 2, &kU16, "StopInterval"},
                                   {211, 2, &kU16, "RoamingInterval"},
                                   {213, 32, &kText, "IP3"},
                                   {245, 5, &kText, "Port3"},
                                   {250, 1, &kIndex, "GPRSType2"},
                                   {251, 1, &kIndex, "ReportType2"},
                                   {252, 1, &kIndex, "BufferMode2"},
                                   {253, 2, &kU16, "TimeInterval2"},
                                   {255, 2, &kU16, "ACCOffInterval2"},
                                   {257, 2, &kU16, "StopInterval2"},
                                   {259, 2, &kU16, "RoamingInterval2"},
                               }};
  return table;
}

}  // namespace tracker
