#include "engine/operation_plan.h"

#include <numeric>

#include "codec/codec.h"
#include "protocol/block_map.h"
#include "protocol/commands.h"

namespace tracker {
namespace {

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

PlanStep readStep(const Step& step, std::string_view verb) {
  const std::string name = std::string(verb) + " " + std::string(SpecOf(*step.group).caption);
  const BlockRange& request = step.range;
  if (step.command == CmdReadWifi) {
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

PlanStep writeStep(const Step& step) {
  const std::string name = "Writing " + std::string(SpecOf(*step.group).caption);
  if (step.command == CmdWriteWifi) {
    return {.name = name,
            .command = CmdWriteWifi,
            .key = {},
            .requestBytes = kFrameOverhead + step.range.length,
            .answerBytes = kFrameOverhead + kWifiAckPayload};
  }
  std::vector<std::uint8_t> key = blockKey(step.range);
  key.resize(3);  // the length is the encoded data's; block and offset tell the step
  return {.name = name,
          .command = CmdWriteBlock,
          .key = std::move(key),
          .requestBytes = kFrameOverhead + kBlockHeaderSize + step.range.length,
          .answerBytes = kFrameOverhead + kAckPayload};
}

}  // namespace

std::size_t OperationPlan::total() const {
  return std::accumulate(steps.begin(), steps.end(), std::size_t{0},
                         [](std::size_t sum, const PlanStep& step) { return sum + step.bytes(); });
}

std::optional<OperationPlan> PlanFor(const Operation& operation, const PlanContext& context) {
  const bool moves =
      operation.kind == OperationKind::Read || operation.kind == OperationKind::Write;
  if (!moves || operation.button.empty()) return std::nullopt;
  // A verified write reads back by the steps of the matching read.
  const std::string_view verb = operation.kind == OperationKind::Read ? "Reading" : "Verifying";
  OperationPlan plan{.title = std::string(operation.title), .steps = {}};
  for (const Step& step : BuildPlan(operation, context)) {
    plan.steps.push_back(step.writes() ? writeStep(step)
                         : step.copy   ? readStep(step, "Copying")
                                       : readStep(step, verb));
  }
  return plan;
}

}  // namespace tracker
