// The authorisation poll's two ends toward the technician: a port where
// nothing answers is named, and a code typed while the port is open is tried
// at once.

#include "engine/engine.h"
#include "serial/device_path.h"

namespace tracker {
namespace {

// Polls go out every half second: the fifth without an answer before it ends
// the third second, however late the ticks come.
constexpr int kPollsBeforeNoAnswer = 5;

}  // namespace

void Engine::pollSent() {
  if (++unansweredPolls_ != kPollsBeforeNoAnswer) return;
  // Said once and left standing: the polls go on, and an answer says "Connected".
  window_.setPanelText(0, "No answer");
  setPanel("No tracker answers on " + CommDevicePath(controls_.text("ComboBox1")) +
           ": check the port, the cable and the tracker's power.");
}

void Engine::AuthCodeChange() {
  if (!state_.PortOpened || identified_ || busy()) return;
  state_.AuthPollDelay = 1;  // the next tick sends the poll with the new code
}

}  // namespace tracker
