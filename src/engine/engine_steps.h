#pragma once
// The steps of the group writes and reads, in the order "Write All" and
// "Read All" take them.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "engine/group_codec.h"
#include "protocol/block_map.h"

namespace tracker {

struct WriteStepRow {
  std::uint8_t step;      // WriteStep
  GroupId group;          // encoder
  std::uint8_t block;     // block number the acknowledgement names (0: WiFi)
  std::string_view ok;    // panel 1 on acknowledgement; empty: unchanged
  std::string_view done;  // box when a single group write ends here; empty: go on
};

struct ReadStepRow {
  std::uint8_t step;        // ReadStep
  GroupId group;            // decoder
  BlockRange request;       // block read request (WiFi: first entry, count)
  std::uint8_t allTimeout;  // ReplyTimeout when sent inside "Read All"
  std::string_view ok;
  std::string_view done;
};

std::span<const WriteStepRow> WriteSteps();
std::span<const ReadStepRow> ReadSteps();

const WriteStepRow* FindWriteStep(std::uint8_t step);
const ReadStepRow* FindReadStep(std::uint8_t step);

// The step after the given one in "Write All"/"Read All" order, or none at the
// end. The DLT step is left out when its tab is hidden.
std::optional<std::uint8_t> NextWriteStep(std::uint8_t step, bool dltShown);
std::optional<std::uint8_t> NextReadStep(std::uint8_t step, bool dltShown);

inline constexpr std::uint8_t kDltStep = 8;

}  // namespace tracker
