// tracker-cli's default output and --verbose, and find among several ports.

#include <gtest/gtest.h>

#include "app/e2e_processes.h"
#include "serial/pty_pair.h"

namespace tracker::test {
namespace {

TEST(CliOutput, AWriteSaysLittleUnlessVerbose) {
  TempFolder folder;
  SimProcess sim({});
  const std::string file = (folder / "settings.ini").string();
  ASSERT_EQ(RunCli(folder, {"--port", sim.port(), "read", "--out", file}).status, 0);

  const CliRun quiet = RunCli(folder, {"--port", sim.port(), "write", "--in", file});
  EXPECT_EQ(quiet.status, 0) << quiet.err;
  EXPECT_LE(CountOf(quiet.err, "\n"), 5) << quiet.err;
  EXPECT_FALSE(Has(quiet.err, "status: ")) << quiet.err;
  EXPECT_FALSE(Has(quiet.err, "connection: ")) << quiet.err;
  EXPECT_TRUE(Has(quiet.err, "notice: Write All Completed!\nnotice: Verified\n")) << quiet.err;

  const CliRun verbose = RunCli(folder, {"--verbose", "--port", sim.port(), "write", "--in", file});
  EXPECT_EQ(verbose.status, 0) << verbose.err;
  for (const char* text :
       {"connection: Disconnect\n", "status: Idle\n", "connection: Connected\n",
        "status: Writing All...\n", "status: Write GEO OK\n", "status: Verifying...\n"}) {
    EXPECT_TRUE(Has(verbose.err, text)) << text;
  }
}

TEST(CliFind, NamesEachPortWhereATrackerAnswers) {
  TempFolder folder;
  SimProcess first({"--device-id", "356789012345671"});
  PtyPair silent;
  SimProcess second({"--device-id", "356789012345672", "--model", "Birch"});
  const CliRun run = RunCli(
      folder, {"--port", first.port(), "--port", silent.path(), "--port", second.port(), "find"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(CountOf(run.out, "\n"), 2) << run.out;
  EXPECT_TRUE(Has(run.out, first.port() + "  356789012345671  ")) << run.out;
  EXPECT_TRUE(Has(run.out, second.port() + "  356789012345672  ")) << run.out;
  EXPECT_TRUE(Has(run.out, "Birch")) << "the firmware names the model: " << run.out;
  EXPECT_FALSE(Has(run.out, silent.path()));

  const CliRun none = RunCli(folder, {"--port", silent.path(), "find"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_TRUE(Has(none.err, "no tracker answered on 1 port")) << none.err;
}

}  // namespace
}  // namespace tracker::test
