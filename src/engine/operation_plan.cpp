#include "engine/operation_plan.h"

#include <algorithm>
#include <numeric>

#include "codec/codec.h"
#include "engine/engine_steps.h"
#include "protocol/block_map.h"
#include "protocol/commands.h"
#include "protocol/protocol_context.h"

namespace tracker {
namespace {

struct ButtonPlan {
  std::string_view button;
  std::string_view title;
  Group first;
  bool read;
  bool all;
};

constexpr ButtonPlan kButtons[] = {
    {"ReadAll", "Read All", Group::Gprs, true, true},
    {"WriteAll", "Write All", Group::Gprs, false, true},
    {"GPRSRead", "Read GPRS", Group::Gprs, true, false},
    {"GPRSWrite", "Write GPRS", Group::Gprs, false, false},
    {"MainRead", "Read Main", Group::MainA, true, false},
    {"MainWrite", "Write Main", Group::MainA, false, false},
    {"InterfaceRead", "Read Interface", Group::Interface, true, false},
    {"InterfaceWrite", "Write Interface", Group::Interface, false, false},
    {"Temp_Read", "Read Temp", Group::Temperature, true, false},
    {"Temp_Write", "Write Temp", Group::Temperature, false, false},
    {"WIFI_Read", "Read WIFI", Group::Wifi, true, false},
    {"WIFI_Write", "Write WIFI", Group::Wifi, false, false},
    {"SMSRead", "Read Auth", Group::Auth, true, false},
    {"SMSWrite", "Write Auth", Group::Auth, false, false},
    {"GEOFenceRead", "Read GEO", Group::Geo, true, false},
    {"GEOFenceWrite", "Write GEO", Group::Geo, false, false},
    {"EventRead", "Read Event", Group::Event, true, false},
    {"EventWrite", "Write Event", Group::Event, false, false},
    {"DLTRead", "Read DLT", Group::Dlt, true, false},
    {"DLTWrite", "Write DLT", Group::Dlt, false, false},
};

constexpr std::size_t kAckPayload = 2;      // block and result
constexpr std::size_t kWifiAckPayload = 1;  // result
constexpr std::size_t kWifiReadPayload = 2;
constexpr std::size_t kWifiEntryBytes = 64;

std::vector<std::uint8_t> blockKey(const BlockRange& range) {
  return {range.block, static_cast<std::uint8_t>(range.offset >> 8),
          static_cast<std::uint8_t>(range.offset & 0xFF),
          static_cast<std::uint8_t>(range.length >> 8),
          static_cast<std::uint8_t>(range.length & 0xFF)};
}

PlanStep readStep(const ReadStepRow& row, std::string_view verb = "Reading") {
  const BlockRange request = ReadRequestOf(row);
  const std::string name = std::string(verb) + " " + std::string(SpecOf(row.group).caption);
  if (row.group == Group::Wifi) {
    return {.name = name,
            .command = CmdReadWifi,
            .key = {static_cast<std::uint8_t>(request.offset),
                    static_cast<std::uint8_t>(request.length)},
            .requestBytes = kFrameOverhead + kWifiReadPayload,
            .answerBytes = kFrameOverhead + request.length * kWifiEntryBytes};
  }
  return {.name = name,
          .command = CmdReadBlock,
          .key = blockKey(request),
          .requestBytes = kFrameOverhead + kBlockHeaderSize,
          .answerBytes = kFrameOverhead + kBlockHeaderSize + request.length};
}

PlanStep writeStep(const WriteStepRow& row) {
  const GroupSpec& spec = SpecOf(row.group);
  const std::string name = "Writing " + std::string(spec.caption);
  if (!spec.blockHeader) {
    return {.name = name,
            .command = CmdWriteWifi,
            .key = {},
            .requestBytes = kFrameOverhead + spec.write.length,
            .answerBytes = kFrameOverhead + kWifiAckPayload};
  }
  std::vector<std::uint8_t> key = blockKey(spec.write);
  key.resize(3);  // the length is the encoded data's; block and offset tell the step
  return {.name = name,
          .command = CmdWriteBlock,
          .key = std::move(key),
          .requestBytes = kFrameOverhead + kBlockHeaderSize + spec.write.length,
          .answerBytes = kFrameOverhead + kAckPayload};
}

// The rows of one operation: a single group with its second half, or the whole
// sequence.
template <typename Row, typename Next>
std::vector<const Row*> rowsFrom(const Row& first, bool all, bool dltShown, Next next) {
  std::vector<const Row*> rows;
  for (const Row* row = &first; row != nullptr; row = next(*row, dltShown)) {
    rows.push_back(row);
    if (!all && !row->continues) break;
  }
  return rows;
}

}  // namespace

std::size_t OperationPlan::total() const {
  return std::accumulate(steps.begin(), steps.end(), std::size_t{0},
                         [](std::size_t sum, const PlanStep& step) { return sum + step.bytes(); });
}

std::optional<OperationPlan> PlanForButton(std::string_view button, const PlanContext& context) {
  const bool dltShown = context.dltShown;
  const auto* b = std::find_if(std::begin(kButtons), std::end(kButtons),
                               [button](const ButtonPlan& row) { return row.button == button; });
  if (b == std::end(kButtons)) return std::nullopt;
  OperationPlan plan{.title = std::string(b->title), .steps = {}};
  if (!b->read) {
    for (const WriteStepRow* row :
         rowsFrom(WriteStepOf(b->first), b->all, dltShown, NextWriteStep)) {
      const auto& leftOut = context.leftOutOfWriteAll;
      if (b->all && std::find(leftOut.begin(), leftOut.end(), row->group) != leftOut.end()) {
        continue;
      }
      plan.steps.push_back(writeStep(*row));
    }
  }
  // A verified write reads back by the steps of the matching read.
  if (b->read || context.verifyAfterWriting) {
    const std::string_view verb = b->read ? "Reading" : "Verifying";
    for (const ReadStepRow* row : rowsFrom(ReadStepOf(b->first), b->all, dltShown, NextReadStep)) {
      plan.steps.push_back(readStep(*row, verb));
    }
  }
  return plan;
}

}  // namespace tracker
