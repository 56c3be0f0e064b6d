// The traffic log's lines and the progress of planned operations, measured on
// the engine's real requests and answers of the sizes a tracker gives.

#include <gtest/gtest.h>

#include <regex>

#include "engine/engine.h"
#include "engine/operation_plan.h"
#include "engine/traffic_tap.h"
#include "support/answer_frames.h"
#include "support/recording_port.h"
#include "support/recording_window.h"
#include "ui/memory_controls.h"

namespace tracker {
namespace {

// The answer a tracker gives to the last request, with zero data.
Bytes answerTo(const Bytes& f) {
  switch (f.at(4)) {
    case 0xB7:
      return AnswerFrame(0xB7, Bytes(std::size_t{f.at(6)} * 64, 0x00));
    case 0xB6:
      return AnswerFrame(0xB6, {0x01});
    case 0x58:
      return AnswerFrame(0x58, {f.at(5), 0x01});
    default: {
      const auto offset = static_cast<std::uint16_t>(f.at(6) << 8 | f.at(7));
      return ReadAnswer(f.at(5), offset, Bytes(std::size_t(f.at(8) << 8 | f.at(9)), 0x00));
    }
  }
}

PlanContext Context(bool dltShown, bool verifyAfterWriting) {
  PlanContext context;
  context.dltShown = dltShown;
  context.verifyAfterWriting = verifyAfterWriting;
  return context;
}

class TrafficProgressTest : public ::testing::Test {
 protected:
  TrafficProgressTest() {
    engine.onStatus = [this](std::string_view text) { log.status(text); };
  }
  // Runs a button's operation to its end, answering every request in two
  // deliveries; the progress after each delivery.
  std::vector<Progress> run(std::string_view button) {
    tap.progress().start(*engine.planOf(FindOperation(button)->id));
    EXPECT_TRUE(engine.click(button));
    std::vector<Progress> seen;
    while (engine.busy() && seen.size() < 100) {
      const Bytes answer = answerTo(port.lastFrame());
      const auto half = static_cast<std::ptrdiff_t>(answer.size() / 2);
      for (const Bytes& piece : {Bytes(answer.begin(), answer.begin() + half),
                                 Bytes(answer.begin() + half, answer.end())}) {
        tap.received(piece);
        engine.guarded([&] { engine.Comm1ReceiveData(piece); });
        seen.push_back(*tap.progress().current());
      }
    }
    return seen;
  }

  MemoryControls controls;
  RecordingWindow window;
  RecordingPort port;
  TrafficLog log{50};
  TrafficTap tap{port, log};
  Engine engine{controls, window, tap};
};

TEST_F(TrafficProgressTest, EveryPlannedOperationEndsAtItsTotalMovingOnlyForward) {
  const struct {
    std::string_view button;
    std::size_t requests;
    std::string_view firstStep;
  } cases[] = {
      {"ReadAll", 11, "Reading GPRS"},    {"WriteAll", 10, "Writing GPRS"},
      {"GEOFenceRead", 1, "Reading GEO"}, {"MainWrite", 2, "Writing Main"},
      {"WIFI_Read", 2, "Reading WIFI"},   {"WIFI_Write", 1, "Writing WIFI"},
      {"EventRead", 1, "Reading Event"},
  };
  for (const auto& c : cases) {
    const std::size_t before = port.frameCount();
    const std::vector<Progress> seen = run(c.button);
    ASSERT_FALSE(seen.empty()) << c.button;
    EXPECT_EQ(port.frameCount() - before, c.requests) << c.button;
    EXPECT_EQ(seen.front().step, c.firstStep) << c.button;
    for (std::size_t i = 1; i < seen.size(); ++i) {
      EXPECT_GT(seen[i].done, seen[i - 1].done) << c.button << " at " << i;
    }
    EXPECT_EQ(seen.back().done, seen.back().total) << c.button << ": the plan's sizes are exact";
    tap.progress().stop();
  }
  // A group left out of "Write All" is left out of its plan too; a verified
  // write goes on through its read-back ("Read All" reads every group).
  engine.leaveOutOfWriteAll(Group::Temperature);
  engine.setVerifyAfterWriting(true);
  const std::size_t before = port.frameCount();
  const std::vector<Progress> seen = run("WriteAll");
  EXPECT_EQ(port.frameCount() - before, 9u + 11u);
  EXPECT_EQ(seen.back().step, "Verifying DLT");
  EXPECT_EQ(seen.back().done, seen.back().total);
}

TEST_F(TrafficProgressTest, RetriesRestartTheirStepAndStrayFramesCountForNothing) {
  OperationPlan plan = *PlanFor(*FindOperation("ReadAll"));
  ProgressTracker progress;
  progress.start(plan);
  EXPECT_EQ(progress.current()->done, 0u);
  EXPECT_TRUE(progress.current()->step.empty());
  progress.sent(AnswerFrame(0x50, {0x01, 0xFF, 0xFF, 0xFF, 0xFF}));  // the poll
  EXPECT_EQ(progress.current()->done, 0u);
  const Bytes gprs = AnswerFrame(0x59, plan.steps[0].key);
  progress.sent(gprs);
  progress.received(Bytes(100, 0));
  EXPECT_EQ(progress.current()->done, plan.steps[0].requestBytes + 100);
  progress.sent(gprs);  // asked again: its answer starts over
  EXPECT_EQ(progress.current()->done, plan.steps[0].requestBytes);
  progress.received(Bytes(5000, 0));  // never past what the step expects
  EXPECT_EQ(progress.current()->done, plan.steps[0].bytes());
  progress.sent(AnswerFrame(0x59, plan.steps[2].key));  // a later step
  EXPECT_EQ(progress.current()->step, "Reading Main");
  EXPECT_EQ(progress.current()->done,
            plan.steps[0].bytes() + plan.steps[1].bytes() + plan.steps[2].requestBytes);
  progress.sent(gprs);  // an earlier step's request is no step of this one
  EXPECT_EQ(progress.current()->step, "Reading Main");
  EXPECT_EQ(PlanFor(*FindOperation("InitAll")), std::nullopt);
  EXPECT_EQ(PlanFor(*FindOperation("ReadAll"), Context(false, false))->steps.size() + 1,
            plan.steps.size())
      << "no DLT";
  // A verified write reads its groups back by the read's own steps.
  const OperationPlan verified = *PlanFor(*FindOperation("MainWrite"), Context(true, true));
  ASSERT_EQ(verified.steps.size(), 4u);
  EXPECT_EQ(verified.steps[2].name, "Verifying Main");
  EXPECT_EQ(verified.steps[3].key, PlanFor(*FindOperation("MainRead"))->steps[1].key);
  EXPECT_EQ(verified.total(), PlanFor(*FindOperation("MainWrite"))->total() +
                                  PlanFor(*FindOperation("MainRead"))->total());
  EXPECT_EQ(PlanFor(*FindOperation("ReadAll"), Context(true, true))->total(), plan.total())
      << "reads are not verified";
}

TEST_F(TrafficProgressTest, LogLinesNameTimeDirectionCommandLengthAndBytes) {
  run("GEOFenceRead");
  log.received(TextBytes("Model: Larch\r\n"));
  log.received(Bytes{0x01, 0x02});
  const std::vector<std::string> lines(log.lines().begin(), log.lines().end());
  const char* expected[] = {
      R"(\d\d:\d\d:\d\d\.\d{3} -> ReadBlock 12 5A A5 00 06 59 04 00 00 01 00 .. ..)",
      R"(\d\d:\d\d:\d\d\.\d{3} -- Status Reading GEO\.\.\.)",
      R"(\d\d:\d\d:\d\d\.\d{3} <- ReadBlock \d+ 5A A5 .*)",
      R"(\d\d:\d\d:\d\d\.\d{3} <- Data \d+ .*)",
      R"(\d\d:\d\d:\d\d\.\d{3} -- Status Read GEO OK)",
      R"(\d\d:\d\d:\d\d\.\d{3} <- Text 14 4D 6F .* 0D 0A "Model: Larch\\r\\n")",
      R"(\d\d:\d\d:\d\d\.\d{3} <- Data 2 01 02)",
  };
  ASSERT_EQ(lines.size(), std::size(expected)) << log.text();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_TRUE(std::regex_match(lines[i], std::regex(expected[i]))) << lines[i];
  }
  EXPECT_EQ(CommandName(0xE5), "Default");
  EXPECT_EQ(CommandName(0x77), "0x77");
}

TEST(TrafficLog, KeepsOnlyTheNewestLinesButHandsOnEvery) {
  EXPECT_EQ(TrafficLog::kMaxLines, 10'000u);
  TrafficLog log(3);
  int handed = 0;
  log.onLine = [&](const std::string&) { ++handed; };
  for (int i = 0; i < 5; ++i) log.status("line " + std::to_string(i));
  EXPECT_EQ(handed, 5);
  ASSERT_EQ(log.lines().size(), 3u);
  EXPECT_TRUE(log.lines().front().ends_with("line 2"));
  EXPECT_TRUE(log.lines().back().ends_with("line 4"));
  const std::string text = log.text();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

}  // namespace
}  // namespace tracker
