// WiFi: 32 entries of SSID and password, 64 bytes each, with no block header.
// Written whole; read in two halves of 16 entries.
#include "codec/encodings.h"
#include "codec/groups/group_rows.h"

namespace tracker {

const GroupSpec& WifiSpec() {
  using namespace encoding;
  static const GroupSpec table = [] {
    GroupSpec t{.id = Group::Wifi,
                .caption = "WIFI",
                .blockHeader = false,
                .write = {.block = 0, .offset = 0, .length = 2048},
                .read = {.block = 0, .offset = 0, .length = 2048},
                .fields = {}};
    for (int k = 1; k <= 32; ++k) {
      const auto at = static_cast<std::uint16_t>(64 * (k - 1));
      const std::string entry = "WIFI" + std::to_string(k);
      t.fields.push_back({at, 32, &kWifiText, entry + "SSID"});
      t.fields.push_back({static_cast<std::uint16_t>(at + 32), 32, &kWifiText, entry + "PSW"});
    }
    return t;
  }();
  return table;
}

}  // namespace tracker
