// The copy before: an operation that changes the tracker first reads what it
// will replace, as the first steps of its plan, into scratch controls, so
// that nothing a write replaces is lost.

#include <exception>
#include <utility>

#include "base/latin1.h"
#include "engine/engine.h"
#include "engine/engine_services.h"

namespace tracker {

void Engine::startCopy(const Operation& operation) {
  if (!ChangesTracker(operation)) return;
  if (onChanging) onChanging(operation);  // may refuse: nothing has been sent
  kept_ = {};
  kept_.before = std::make_unique<MemoryControls>();
  readBack_.report = {};  // a verification of this operation, or none
  changing_ = &operation;
  lastNotice_.clear();
}

void Engine::keepIdentifiers(const Answer& answer) {
  // The answer is the list itself; a lone result byte says there is none.
  const auto list = answer.payload.size() == 1 ? std::span<const std::uint8_t>{} : answer.payload;
  kept_.identifiers = FromLatin1(list.data(), list.size());
}

void Engine::endCopy() {
  kept_.beforeComplete = true;
  if (onCopied) onCopied(*kept_.before);
  const Operation& operation = *state_.operation;
  ++state_.step;
  if (operation.kind == OperationKind::Write) {
    try {
      prepareWrites();  // with what the copy gave to keys a file lacked
    } catch (...) {
      endOperation();
      throw;
    }
    state_.activity = Activity::Writing;
    sendStep();
    setPanel(operation.starting);
    return;
  }
  state_.activity = Activity::Service;
  sendStep();
  setPanel(service_->starting);
}

void Engine::noteChanged() {
  const Operation* operation = std::exchange(changed_, nullptr);
  if (operation == nullptr || !onChanged) return;
  try {
    onChanged(*operation, lastNotice_);
  } catch (const std::exception& e) {
    window_.showError(e.what());  // outside the guard's handler: nothing may escape
  }
}

}  // namespace tracker
