#pragma once
// Progress of a planned operation by bytes: each request sent moves to the
// step it belongs to (a retry of the same step starts it over), and the
// answer's bytes count as they arrive, never beyond what the step expects.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "engine/operation_plan.h"

namespace tracker {

struct Progress {
  std::string title;  // "Read All"
  std::string step;   // "Reading GEO"; empty before the first request
  std::size_t done = 0;
  std::size_t total = 0;

  int percent() const { return total == 0 ? 0 : static_cast<int>(done * 100 / total); }
};

class ProgressTracker {
 public:
  void start(OperationPlan plan);
  void stop() { plan_.reset(); }
  bool active() const { return plan_.has_value(); }

  // A frame on its way to the tracker; frames of no step (the authorisation
  // poll) change nothing.
  void sent(std::span<const std::uint8_t> frame);
  void received(std::span<const std::uint8_t> delivery);

  // Nothing when no operation is planned.
  std::optional<Progress> current() const;

 private:
  std::optional<std::size_t> stepOf(std::span<const std::uint8_t> frame) const;

  std::optional<OperationPlan> plan_;
  std::optional<std::size_t> step_;  // the step whose request went last
  std::size_t before_ = 0;           // bytes of the steps before it
  std::size_t received_ = 0;         // of its answer
};

}  // namespace tracker
