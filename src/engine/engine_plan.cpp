// The plan of an operation as this engine will run it: the DLT tab, the
// groups left out of "Write All", whether writes are verified.

#include "engine/engine.h"

namespace tracker {

std::optional<OperationPlan> Engine::planOf(OperationId id) const {
  return PlanFor(OperationOf(id), {.dltShown = window_.dltTabShown(),
                                   .verifyAfterWriting = verifyAfterWriting_,
                                   .leftOutOfWriteAll = leftOut_});
}

}  // namespace tracker
