#pragma once
// A parameter group as one self-describing row: where it lives in the
// tracker's blocks, how it is read, the name its status texts use, and its fields.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "codec/field_table.h"
#include "protocol/block_map.h"

namespace tracker {

// The parameter groups, in "Write All" order. Main travels as two ranges.
enum class Group : std::uint8_t {
  Gprs,
  MainA,
  MainB,
  Interface,
  Temperature,
  Wifi,
  Sms,  // the SMS settings and the authorised numbers (settings section "Auth")
  Geo,
  Event,
  Dlt
};

struct GroupSpec {
  Group id;
  // The group's name in its status texts: "Read GEO OK", "Write GEO Completed!".
  std::string_view caption;
  bool blockHeader = true;  // false: the data travels without the 5-byte header
  BlockRange write;         // first block offset written and data bytes written
  BlockRange read;          // the read request: first offset and bytes wanted
  std::vector<Field> fields = {};

  std::uint8_t block() const { return write.block; }
};

// The row of a group; every group has exactly one.
const GroupSpec& SpecOf(Group group);

// Every group spec, in "Write All" order.
std::span<const Group> AllGroups();

}  // namespace tracker
