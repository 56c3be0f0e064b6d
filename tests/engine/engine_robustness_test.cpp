// Whatever a tracker sends, the engine neither reads past what arrived nor
// leaves a half-done operation: random answers for every operation and step.
// Run under the AddressSanitizer build, this is where an overrun would show.

#include <random>

#include "engine_fixture.h"

namespace tracker {
namespace {

constexpr std::uint8_t kCommands[] = {0x50, 0x58, 0x59, 0xB0, 0xB1, 0xB2, 0xB5,
                                      0xB6, 0xB7, 0xC0, 0xC1, 0xC4, 0xE5, 0xE6};

Bytes randomPayload(std::mt19937& rng) {
  static constexpr std::size_t kLengths[] = {0, 1, 2, 5, 6, 40, 120, 260, 1023, 1024, 1900, 4101};
  Bytes payload(kLengths[rng() % std::size(kLengths)]);
  for (auto& b : payload) b = static_cast<std::uint8_t>(rng());
  if (!payload.empty() && rng() % 2 == 0) payload[0] = static_cast<std::uint8_t>(1 + rng() % 6);
  return payload;
}

TEST_F(EngineTest, RandomAnswersInEveryStateAreHandledSafely) {
  std::mt19937 rng(20261207);
  for (int i = 0; i < 3000; ++i) {
    // Any operation of the table at any step of its plan.
    state() = EngineState{};
    engine.setVerifyAfterWriting(rng() % 2 == 0);
    engine.start(Operations()[rng() % Operations().size()].id);
    if (engine.busy()) {
      state().step = rng() % state().plan.size();
      const Step& step = state().current();
      if (step.reads() && state().activity != Activity::Identifying) {
        state().activity = Activity::Reading;
      }
      if (step.writes()) state().activity = Activity::Writing;
    }
    const bool before = engine.busy();
    const Bytes frame = AnswerFrame(kCommands[rng() % std::size(kCommands)], randomPayload(rng));
    if (rng() % 3 == 0) {
      // In two pieces, as a slow line delivers it.
      const std::size_t cut = rng() % frame.size();
      deliver(Bytes(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(cut)));
      deliver(Bytes(frame.begin() + static_cast<std::ptrdiff_t>(cut), frame.end()));
    } else {
      deliver(frame);
    }
    if (before && !engine.busy()) {
      EXPECT_EQ(state().ReplyTimeout, 0)
          << "an ended operation leaves no time-out, iteration " << i;
    }
  }
  EXPECT_TRUE(window.errors.empty());
}

TEST_F(EngineTest, LineNoiseIsIgnored) {
  std::mt19937 rng(7);
  click("GPRSRead");
  for (int i = 0; i < 500; ++i) {
    Bytes noise(1 + rng() % 3000);
    for (auto& b : noise) b = static_cast<std::uint8_t>(rng() % 4 == 0 ? 0x5A : rng());
    deliver(noise);
  }
  EXPECT_EQ(state().activity, Activity::Reading);
  EXPECT_TRUE(window.notices.empty());
}

}  // namespace
}  // namespace tracker
