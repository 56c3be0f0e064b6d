// Geo-fences: block 4, eight 32-byte fence records.
#include "codec/encodings.h"
#include "codec/groups/group_rows.h"

namespace tracker {

const BlockRange ReqGeo{.block = 4, .offset = 0, .length = 256};

const GroupSpec& GeoSpec() {
  using namespace encoding;
  static const GroupSpec table = [] {
    GroupSpec t{.id = Group::Geo, .caption = "GEO", .write = ReqGeo, .read = ReqGeo};
    for (int n = 1; n <= 8; ++n) {
      const auto at = [n](int offset) { return static_cast<std::uint16_t>(32 * (n - 1) + offset); };
      const std::string fence = "No" + std::to_string(n);
      t.fields.push_back({at(0), 16, &kText, fence + "Name"});
      t.fields.push_back(
          {.offset = at(16), .width = 1, .encoding = &kFlag, .control = fence + "Out", .bit = 0});
      t.fields.push_back(
          {.offset = at(16), .width = 1, .encoding = &kFlag, .control = fence + "In", .bit = 1});
      t.fields.push_back({at(17), 4, &kU32, fence + "Radius"});
      t.fields.push_back({at(21), 4, &kLatitude, fence + "Lat"});
      t.fields.push_back({at(25), 4, &kLongitude, fence + "Long"});
    }
    return t;
  }();
  return table;
}

}  // namespace tracker
