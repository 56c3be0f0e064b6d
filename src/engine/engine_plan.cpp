// The plan of an operation as this engine will run it: the DLT tab, the
// groups left out of "Write All", whether writes are verified and copied first.

#include "engine/engine.h"

namespace tracker {

PlanContext Engine::planContext() const {
  return {.dltShown = window_.dltTabShown(),
          .verifyAfterWriting = verifyAfterWriting_,
          .leftOutOfWriteAll = leftOut_,
          .copyBefore = copyBefore_};
}

std::optional<OperationPlan> Engine::planOf(OperationId id) const {
  return PlanFor(OperationOf(id), planContext());
}

}  // namespace tracker
