// Interface: block 2, offsets 34 to 189 — inputs, tanks, outputs, serial ports.
#include "codec/encodings.h"
#include "codec/groups/group_rows.h"

namespace tracker {

const BlockRange ReqInterface{.block = 2, .offset = 34, .length = 156};
namespace {

using namespace encoding;

void addTank(std::vector<Field>& fields, std::uint16_t at, const std::string& tank) {
  const auto o = [at](int offset) { return static_cast<std::uint16_t>(at + offset); };
  fields.push_back({o(0), 16, &kText, tank + "Name"});
  fields.push_back({o(16), 1, &kIndex, tank + "Type"});
  fields.push_back({o(17), 1, &kIndex, tank + "Source"});
  fields.push_back({o(18), 2, &kU16, tank + "Lenght"});
  fields.push_back({o(20), 2, &kU16, tank + "Wide"});
  fields.push_back({o(22), 2, &kU16, tank + "High"});
  fields.push_back({o(24), 1, &kU8, tank + "Steal"});
  fields.push_back({o(25), 1, &kU8, tank + "StealTM"});
  fields.push_back({o(26), 1, &kU8, tank + "Low"});
}

void addOutput(std::vector<Field>& fields, std::uint16_t at, const std::string& out) {
  const auto o = [at](int offset) { return static_cast<std::uint16_t>(at + offset); };
  fields.push_back({o(0), 1, &kIndex, out + "Mode"});
  fields.push_back({o(1), 2, &kU16, out + "TM"});
  fields.push_back({o(3), 2, &kU16, out + "OnTM"});
  fields.push_back({o(5), 2, &kU16, out + "OffTM"});
  fields.push_back({o(7), 1, &kU8, out + "Speed"});
}

}  // namespace

const GroupSpec& InterfaceSpec() {
  static const GroupSpec table = [] {
    GroupSpec t{.id = Group::Interface,
                .caption = "Interface",
                .write = ReqInterface,
                .read = ReqInterface};
    for (int k = 1; k <= 6; ++k) {
      const auto at = static_cast<std::uint16_t>(34 + 3 * (k - 1));
      const std::string n = std::to_string(k);
      t.fields.push_back({at, 1, &kIndex, "In" + n + "Mode"});
      t.fields.push_back({static_cast<std::uint16_t>(at + 1), 2, &kU16, "IN" + n + "ActiveTM"});
    }
    addTank(t.fields, 58, "Tank1");
    addTank(t.fields, 90, "Tank2");
    addOutput(t.fields, 122, "Out1");
    addOutput(t.fields, 130, "Out2");
    t.fields.push_back({186, 1, &kIndex, "RS232_1"});
    t.fields.push_back({187, 1, &kIndex, "RS232_2"});
    return t;
  }();
  return table;
}

}  // namespace tracker
