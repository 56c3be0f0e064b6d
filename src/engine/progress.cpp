#include "engine/progress.h"

#include <algorithm>

#include "protocol/frame.h"

namespace tracker {
void ProgressTracker::start(OperationPlan plan) {
  plan_ = std::move(plan);
  step_.reset();
  before_ = 0;
  received_ = 0;
}

std::optional<std::size_t> ProgressTracker::stepOf(std::span<const std::uint8_t> frame) const {
  const std::optional<FrameView> sent = FrameAt(frame);
  if (!sent) return std::nullopt;
  const std::uint8_t command = sent->command;
  const auto payload = sent->payload;
  // From the current step on: a retry repeats it, the next request is later.
  for (std::size_t i = step_.value_or(0); i < plan_->steps.size(); ++i) {
    const PlanStep& step = plan_->steps[i];
    if (step.command != command || payload.size() < step.key.size()) continue;
    if (std::equal(step.key.begin(), step.key.end(), payload.begin())) return i;
  }
  return std::nullopt;
}

void ProgressTracker::sent(std::span<const std::uint8_t> frame) {
  if (!plan_) return;
  const std::optional<std::size_t> step = stepOf(frame);
  if (!step) return;
  if (step != step_) {
    before_ = 0;
    for (std::size_t i = 0; i < *step; ++i) before_ += plan_->steps[i].bytes();
  }
  step_ = step;
  received_ = 0;
}

void ProgressTracker::received(std::span<const std::uint8_t> delivery) {
  if (plan_ && step_) received_ += delivery.size();
}

std::optional<Progress> ProgressTracker::current() const {
  if (!plan_) return std::nullopt;
  Progress progress{.title = plan_->title, .step = {}, .done = 0, .total = plan_->total()};
  if (!step_) return progress;
  const PlanStep& step = plan_->steps[*step_];
  progress.step = step.name;
  progress.done = before_ + step.requestBytes + std::min(received_, step.answerBytes);
  return progress;
}

}  // namespace tracker
