// What the command line says when the tracker answers the wrong request,
// refuses the code, or goes away mid-read.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "app/e2e_processes.h"

namespace tracker::test {
namespace {

TEST(CliLink, AnAnswerEchoingAnotherRangeIsNotTaken) {
  TempFolder folder;
  SimProcess sim({"--wrong-echo"});
  const CliRun run = RunCli(folder, {"--port", sim.port(), "read", "gprs"});
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(Has(run.err, "Read GPRS Completed!")) << run.err;
  EXPECT_TRUE(Has(run.err, "notice: Read Overtime!")) << run.err;
}

TEST(CliLink, ARefusedCodeStillShowsTheDeviceInformation) {
  TempFolder folder;
  SimProcess sim({"--code", "4711"});
  const CliRun run = RunCli(folder, {"--port", sim.port(), "--code", "1234", "info"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run.out, "860000000000001")) << run.out;
  EXPECT_TRUE(Has(run.err, "refused the authorisation code")) << run.err;
}

TEST(CliLink, ALostLineEndsTheReadAtOnceNamingThePortAndWritesNoFile) {
  TempFolder folder;
  // Authorisation, identifier and two reads are answered; then the line goes dead.
  SimProcess sim({"--vanish-after", "4"});
  const auto out = folder / "read.ini";
  const auto start = std::chrono::steady_clock::now();
  const CliRun run = RunCli(folder, {"--port", sim.port(), "read", "--out", out.string()});
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run.err, "The connection to " + sim.port() + " was lost.")) << run.err;
  EXPECT_FALSE(std::filesystem::exists(out));
  // Half a second of poll delay and a few answers, then at once: not the 5 s
  // time-out of the read in flight.
  EXPECT_LT(elapsed, std::chrono::milliseconds(1600));
}

}  // namespace
}  // namespace tracker::test
