#pragma once
// What an operation will send and receive, known before it starts: its steps
// in order, each with the request it sends and the size of the answer it
// waits for. Progress is measured against this.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/operation_table.h"
#include "engine/plan.h"

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

// The progress plan of an operation that reads or writes groups, from the
// steps the engine will walk; none for other operations.
std::optional<OperationPlan> PlanFor(const Operation& operation, const PlanContext& context = {});

}  // namespace tracker
