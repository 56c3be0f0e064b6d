#pragma once
// A parameter group as one self-describing row: where it lives in the
// tracker's blocks, how it is read, what the status texts say, and its fields.

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
  Auth,
  Geo,
  Event,
  Dlt
};

// What the status panel and the box say when a group's read or write ends.
struct StepTexts {
  std::string_view ok;    // panel 1 when the answer is taken; empty: unchanged
  std::string_view done;  // box when a single group operation ends here
};

struct GroupSpec {
  Group id;
  std::string_view caption;  // the group's name as the technician reads it
  bool blockHeader = true;   // false: the data travels without the 5-byte header
  BlockRange write;          // first block offset written and data bytes written
  BlockRange read;           // the read request: first offset and bytes wanted
  StepTexts readTexts = {};
  StepTexts writeTexts = {};
  std::vector<Field> fields;

  std::uint8_t block() const { return write.block; }
};

// The spec of a group; every group has exactly one.
const GroupSpec& SpecOf(Group group);

// Every group spec, in "Write All" order.
std::span<const Group> AllGroups();

}  // namespace tracker
