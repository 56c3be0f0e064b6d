#pragma once
// An operation as the engine walks it: a list of steps built once from its
// row, each one request and the answer it waits for. A WiFi skip, a retry,
// the identifier read and the read-back after a write are steps of the plan.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "codec/codec.h"
#include "codec/group_row.h"
#include "engine/operation_table.h"
#include "protocol/block_map.h"

namespace tracker {

// Timer2 ticks (one second each) an answer is waited for.
inline constexpr std::uint8_t kReplyTicks = 5;         // most requests; every first step
inline constexpr std::uint8_t kSlowServiceTicks = 10;  // default, RFID add and delete
inline constexpr std::uint8_t kWifiListTicks = 2;      // the WiFi list's first half in Read All
inline constexpr std::uint8_t kWifiFollowTicks = 3;  // the WiFi write in Write All, the second half
inline constexpr std::uint8_t kIdentifierTicks = 5;  // the identifier read after identification

struct Step {
  std::uint8_t command = 0;
  // Block steps: the range asked for or written; a WiFi read: first entry and
  // count in offset and length.
  BlockRange range{};
  std::optional<Group> group = {};  // reads and writes: the group decoded or encoded
  std::uint8_t timeout = kReplyTicks;
  bool optional = false;   // unanswered: skipped, not asked again
  bool continues = false;  // the first range of a group: its texts wait for the next step
  bool copy = false;       // reads what the operation will replace, before it changes anything

  bool reads() const;
  bool writes() const;
  WifiHalf half() const;  // a WiFi read: which half of the list
};

// What shapes a plan beyond its row.
struct PlanContext {
  bool dltShown = true;             // DLT belongs to "Read All" and "Write All"
  bool verifyAfterWriting = false;  // a write reads its groups back
  std::span<const Group> leftOutOfWriteAll = {};
  bool copyBefore = false;  // an operation that changes groups reads them first
};

// The steps of an operation, in order: the copy before, the operation's own
// steps, the read-back.
std::vector<Step> BuildPlan(const Operation& operation, const PlanContext& context);

// The identifier read, from the device identifier's place in block 1.
Step IdentifierStep();

}  // namespace tracker
