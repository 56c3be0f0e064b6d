#pragma once
// What an operation will send and receive, known before it starts: its steps
// in order, each with the request it sends and the size of the answer it
// waits for. Progress is measured against this.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codec/group_row.h"

namespace tracker {

struct PlanStep {
  std::string name;  // "Reading GEO"
  std::uint8_t command = 0;
  // The payload bytes that tell this step's request from the others ("key"):
  // block, offset and length of a block request; first entry and count of a
  // WiFi read; none for a WiFi write.
  std::vector<std::uint8_t> key;
  std::size_t requestBytes = 0;  // the whole frame
  std::size_t answerBytes = 0;   // the whole answer frame

  std::size_t bytes() const { return requestBytes + answerBytes; }
};

struct OperationPlan {
  std::string title;  // "Read All"
  std::vector<PlanStep> steps;

  std::size_t total() const;
};

// What shapes a plan beyond the button.
struct PlanContext {
  bool dltShown = true;             // DLT belongs to "Read All" and "Write All"
  bool verifyAfterWriting = false;  // a write reads its groups back ("Verifying GEO")
  std::span<const Group> leftOutOfWriteAll = {};
};

// The plan of a button that reads or writes groups ("ReadAll", "GEOFenceRead",
// "WriteAll", ...); none for other buttons.
std::optional<OperationPlan> PlanForButton(std::string_view button,
                                           const PlanContext& context = {});

}  // namespace tracker
