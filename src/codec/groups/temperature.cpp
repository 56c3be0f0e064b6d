// Temperature: block 2, offsets 190 to 445 — eight 32-byte sensor records.
#include "codec/encodings.h"
#include "codec/groups/group_rows.h"

namespace tracker {

const BlockRange ReqTemp{.block = 2, .offset = 190, .length = 256};

const GroupSpec& TemperatureSpec() {
  using namespace encoding;
  static const GroupSpec table = [] {
    GroupSpec t{
        .id = Group::Temperature, .caption = "Temperature", .write = ReqTemp, .read = ReqTemp};
    for (int k = 1; k <= 8; ++k) {
      const auto at = static_cast<std::uint16_t>(190 + 32 * (k - 1));
      const std::string row = "Temp" + std::to_string(k);
      t.fields.push_back({at, 16, &kText, row + "_Name"});
      t.fields.push_back({static_cast<std::uint16_t>(at + 16), 8, &kSensorId, row + "_ID"});
      t.fields.push_back({static_cast<std::uint16_t>(at + 24), 2, &kTemp10, row + "_High"});
      t.fields.push_back({static_cast<std::uint16_t>(at + 26), 2, &kTemp10, row + "_Low"});
    }
    return t;
  }();
  return table;
}

}  // namespace tracker
