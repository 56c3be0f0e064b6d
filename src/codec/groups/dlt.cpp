// Driver licences: block 6, 35 bytes written.
#include "codec/encodings.h"
#include "codec/groups/group_tables.h"

namespace tracker {

const GroupTable& DltTable() {
  using namespace encoding;
  static const GroupTable table = [] {
    GroupTable t{true, 6, 0, 35, 0, 48, {}};
    for (int k = 1; k <= 16; ++k) {
      t.fields.push_back(
          {static_cast<std::uint16_t>(2 * (k - 1)), 2, &kU16, "Licence" + std::to_string(k)});
    }
    t.fields.push_back({32, 1, &kU8, "DLTAlarmTime"});
    t.fields.push_back({33, 1, &kIndex, "DLTTrack"});
    t.fields.push_back({34, 1, &kIndex, "LicenceReport"});
    return t;
  }();
  return table;
}

}  // namespace tracker
