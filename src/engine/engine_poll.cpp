// The authorisation poll's two ends toward the technician: a port where
// nothing answers is named, and a code typed while the port is open is tried
// at once.

#include <chrono>

#include "engine/engine.h"
#include "serial/device_path.h"

namespace tracker {
namespace {

// Polls go out every half second: the fifth without an answer before it ends
// the third second. Ticks come late on a loaded machine, so the clock says it
// too once two seconds have passed since the first poll without an answer.
constexpr int kPollsBeforeNoAnswer = 5;
constexpr std::chrono::milliseconds kSilenceBeforeNoAnswer{2000};

}  // namespace

void Engine::pollSent() {
  if (++unansweredPolls_ == 1) firstUnansweredPoll_ = std::chrono::steady_clock::now();
  if (unansweredPolls_ == kPollsBeforeNoAnswer) sayNoAnswer();
}

void Engine::watchForSilence() {
  if (!state_.PortOpened || unansweredPolls_ == 0) return;
  if (unansweredPolls_ >= kPollsBeforeNoAnswer) return;
  if (std::chrono::steady_clock::now() - firstUnansweredPoll_ < kSilenceBeforeNoAnswer) return;
  unansweredPolls_ = kPollsBeforeNoAnswer;
  sayNoAnswer();
}

void Engine::sayNoAnswer() {
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
