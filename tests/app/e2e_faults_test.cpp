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

  const CliRun read = RunCli(folder, {"--port", sim.port(), "--timing", "read"});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_TRUE(Has(read.err, "status: Read Event OK"));
  EXPECT_TRUE(Has(read.err, "notice: Read All Completed!"));
  EXPECT_TRUE(Has(read.out, "\nInterval tracking Name=Heartbeat\r\n")) << read.out;
}

TEST(CliFaults, SilentWifiWriteIsSkippedInsideWriteAllAndNamed) {
  TempFolder folder;
  SimProcess sim({"--silent", "0xB6"});
  WriteText(folder / "empty.ini", "");
  const CliRun run =
      RunCli(folder, {"--port", sim.port(), "write", "--in", (folder / "empty.ini").string()});
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

TEST(CliFaults, CorruptedReadAnswerEndsWithTheTimeOut) {
  TempFolder folder;
  // The authorisation answer and the identifier pass; the read's answer is bad.
  SimProcess sim({"--bad-crc", "1", "--bad-crc-after", "2"});
  const CliRun run = RunCli(folder, {"--port", sim.port(), "read", "gprs"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run.err, "identified: 860000000000001")) << run.err;
  EXPECT_TRUE(Has(run.err, "status: Read Error\n"));
  EXPECT_TRUE(Has(run.err, "notice: Read Overtime!"));
  // The button as the technician sees it, not its control name.
  EXPECT_TRUE(Has(run.err, "tracker-cli: \"Read\" on the GPRS tab did not complete")) << run.err;
  EXPECT_TRUE(run.out.empty()) << "no settings file from a failed read";
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
  const auto banner = after.find("trace: received text \"Model: Maple");
  ASSERT_NE(banner, std::string::npos) << after;
  EXPECT_NE(after.find("trace: sent 0x50", banner), std::string::npos) << after;
  EXPECT_EQ(CountOf(run.err, "identified: 860000000000001"), 2) << run.err;
}

}  // namespace
}  // namespace tracker::test
