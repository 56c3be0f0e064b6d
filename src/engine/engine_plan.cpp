// The plan of a button's operation as this engine will run it: the DLT tab,
// the groups left out of "Write All".

#include "engine/engine.h"

namespace tracker {

std::optional<OperationPlan> Engine::planOf(std::string_view button) const {
  return PlanForButton(button, {.dltShown = window_.dltTabShown(),
                                .verifyAfterWriting = verifyAfterWriting_,
                                .leftOutOfWriteAll = leftOut_});
}

}  // namespace tracker
