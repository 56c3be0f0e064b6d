#pragma once
// The steps of the group writes and reads, in the order "Write All" and
// "Read All" take them. A step's number is the engine's WriteStep/ReadStep;
// its texts and request come from its group's row.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "codec/codec.h"
#include "codec/group_row.h"

namespace tracker {

// What the status panel and the box say when a step's answer is taken.
struct StepTexts {
  std::string ok;    // panel 1; empty: unchanged
  std::string done;  // box when a single group operation ends here
};

struct WriteStepRow {
  std::uint8_t step;            // WriteStep
  Group group;                  // encoder, block and texts
  bool continues = false;       // the first half of a group: the next step always follows
  std::uint8_t allTimeout = 5;  // ReplyTimeout when it follows another step
};

struct ReadStepRow {
  std::uint8_t step;  // ReadStep
  Group group;        // decoder, request and texts
  WifiHalf half = WifiHalf::First;
  bool continues = false;
  std::uint8_t allTimeout = 5;
};

// The tab of the WiFi list, noted when a Read All could not read it.
inline constexpr std::string_view kWifiTab = "TabSheet10";

// The identifier read after the authorisation answer.
inline constexpr std::uint8_t kDeviceIdReadStep = 30;

std::span<const WriteStepRow> WriteSteps();
std::span<const ReadStepRow> ReadSteps();

const WriteStepRow* FindWriteStep(std::uint8_t step);
const ReadStepRow* FindReadStep(std::uint8_t step);

// The first step of a group (its first half when it travels in two).
const WriteStepRow& WriteStepOf(Group group);
const ReadStepRow& ReadStepOf(Group group);

// The step after the given one in "Write All"/"Read All" order, or none at the
// end. The DLT step is left out when its tab is hidden.
const WriteStepRow* NextWriteStep(const WriteStepRow& row, bool dltShown);
const ReadStepRow* NextReadStep(const ReadStepRow& row, bool dltShown);

// The texts of a step: its group's, or none for a first half.
StepTexts WriteTexts(const WriteStepRow& row);
StepTexts ReadTexts(const ReadStepRow& row);

// The block range a read step asks for (WiFi: first entry and count).
BlockRange ReadRequestOf(const ReadStepRow& row);

}  // namespace tracker
