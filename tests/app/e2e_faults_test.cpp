// tracker-cli against a tracker that misbehaves: split answers, silence,
// corrupted answers, and a start-up banner.

#include <gtest/gtest.h>

#include "app/e2e_processes.h"

namespace tracker::test {
namespace {

TEST(CliFaults, ReadAllGathersTheEventAnswerSentInPieces) {
  TempFolder folder;
  SimProcess sim({"--split", "40"});
  const std::string ini = "[Event]\r\nInterval tracking Name=Heartbeat\r\n";
  WriteText(folder / "event.ini", ini);
  const CliRun write = RunCli(
      folder, {"--port", sim.port(), "write", "--in", (folder / "event.ini").string(), "event"});
  ASSERT_EQ(write.status, 0) << write.err;
  EXPECT_TRUE(Has(write.err, "notice: Write Event Completed!"));

  const CliRun read = RunCli(folder, {"--verbose", "--port", sim.port(), "--timing", "read"});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_TRUE(Has(read.err, "status: Read Event OK"));
  EXPECT_TRUE(Has(read.err, "notice: Read All Completed!"));
  EXPECT_TRUE(Has(read.out, "\nInterval tracking Name=Heartbeat\r\n")) << read.out;
}

TEST(CliFaults, SilentWifiWriteIsSkippedInsideWriteAllAndNamed) {
  TempFolder folder;
  SimProcess sim({"--silent", "0xB6"});
  const std::string file = (folder / "tracker.ini").string();
  ASSERT_EQ(RunCli(folder, {"--port", sim.port(), "read", "--out", file}).status, 0);
  const CliRun run = RunCli(folder, {"--verbose", "--port", sim.port(), "write", "--in", file});
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_FALSE(Has(run.err, "Write WIFI OK"));
  EXPECT_TRUE(Has(run.err, "status: Write Auth OK")) << "the rest was written";
  EXPECT_TRUE(Has(run.err, "Write All Completed, but the WiFi list was not written (no answer)."));
}

TEST(CliFaults, SilentWifiReadIsSkippedInsideReadAllAndNoFileIsWritten) {
  TempFolder folder;
  SimProcess sim({"--silent", "0xB7"});
  const auto out = folder / "read.ini";
  const CliRun run = RunCli(folder, {"--port", sim.port(), "read", "--out", out.string()});
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_TRUE(Has(run.err, "Read All Completed, but the WiFi list was not read (no answer)."));
  EXPECT_FALSE(std::filesystem::exists(out)) << "a file without the WiFi list would look whole";
}

TEST(CliFaults, ReadAnswersCorruptedThreeTimesEndTheRead) {
  TempFolder folder;
  // The authorisation answer and the identifier pass; the read and both its
  // retries get broken answers.
  SimProcess sim({"--bad-crc", "3", "--bad-crc-after", "2"});
  const CliRun run = RunCli(folder, {"--port", sim.port(), "--trace", "read", "gprs"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run.err, "identified: 860000000000001")) << run.err;
  EXPECT_TRUE(Has(run.err, "status: Read GPRS: retry 1\n"));
  EXPECT_TRUE(Has(run.err, "status: Read GPRS: retry 2\n"));
  EXPECT_EQ(CountOf(run.err, "-> ReadBlock 12 "), 4) << "the identifier, then GPRS three times";
  EXPECT_EQ(CountOf(run.err, "-- Status Read GPRS: retry "), 2) << "the trace names the retries";
  EXPECT_TRUE(Has(run.err, "notice: Read Error!"));
  // The button as the technician sees it, not its control name.
  EXPECT_TRUE(Has(run.err, "tracker-cli: \"Read\" on the GPRS tab did not complete")) << run.err;
  EXPECT_TRUE(run.out.empty()) << "no settings file from a failed read";
}

TEST(CliFaults, ANoisyLineReadsTheWholeTrackerAlike) {
  TempFolder folder;
  std::string clean;
  {
    SimProcess sim({});
    const CliRun read = RunCli(folder, {"--port", sim.port(), "read"});
    ASSERT_EQ(read.status, 0) << read.err;
    clean = read.out;
  }
  const std::vector<std::vector<std::string>> lines = {
      {"--cut-after", "1", "--cut-pause", "40"},
      {"--cut-after", "3", "--cut-pause", "40"},
      {"--false-start"},
      {"--bad-crc-every", "4"},
      {"--false-start", "--cut-after", "3", "--bad-crc-every", "4"},
  };
  for (const auto& faults : lines) {
    SCOPED_TRACE(faults.front());
    SimProcess sim(faults);
    const CliRun read = RunCli(folder, {"--port", sim.port(), "read"});
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_TRUE(Has(read.err, "notice: Read All Completed!")) << read.err;
    EXPECT_EQ(read.out, clean);
  }
}

TEST(CliFaults, AnAuthorisationAnswerSlowerThanThePollIdentifies) {
  TempFolder folder;
  SimProcess sim({"--split", "300"});  // each answer takes 0.6 s, the poll comes every 0.5 s
  const CliRun run = RunCli(folder, {"--port", sim.port(), "info"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Has(run.err, "identified: 860000000000001")) << run.err;
}

TEST(CliFaults, BannerAfterRestoringDefaultsRearmsTheIdentification) {
  TempFolder folder;
  SimProcess sim({"--banner", "--model", "Maple"});
  const CliRun run = RunCli(folder, {"--port", sim.port(), "--trace", "default"});
  EXPECT_EQ(run.status, 0) << run.err;
  const auto completed = run.err.find("notice: Default Completed!");
  ASSERT_NE(completed, std::string::npos) << run.err;
  const std::string after = run.err.substr(completed);
  // The restarted tracker announces itself; the poll that follows is answered
  // and the identifier read again.
  const auto banner = after.find("<- Text");
  ASSERT_NE(banner, std::string::npos) << after;
  EXPECT_NE(after.find("\"Model: Maple", banner), std::string::npos) << after;
  EXPECT_NE(after.find("-> Authorise", banner), std::string::npos) << after;
  EXPECT_EQ(CountOf(run.err, "identified: 860000000000001"), 2) << run.err;
}

}  // namespace
}  // namespace tracker::test
