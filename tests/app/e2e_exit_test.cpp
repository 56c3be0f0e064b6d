// tracker-cli's exit status and messages, and what `info` reports.

#include <gtest/gtest.h>
#include <pty.h>

#include <algorithm>

#include "app/e2e_processes.h"

namespace tracker::test {
namespace {

TEST(CliInfo, ShowsTheDeviceInformationAndTheModelsInputRows) {
  TempFolder folder;
  SimProcess sim({"--model", "Alder", "--device-id", "861234567890123"});
  const CliRun run = RunCli(folder, {"--port", sim.port(), "info"});
  ASSERT_EQ(run.status, 0) << run.err;
  // The window's captions and units; the model's two inputs and no hidden one.
  EXPECT_TRUE(Has(run.out, "Device ID: 861234567890123\n"));
  EXPECT_TRUE(Has(run.out, "IMEI: 861234567890123\n"));
  EXPECT_TRUE(Has(run.out, "Firmware: ")) << run.out;
  EXPECT_TRUE(Has(run.out, "GPRS-1 Buffer: 3/10000 pcs\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "Mileage: 0 m\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "\nInput1(AD1): Low Active\nInput2(AD2): High Active\n")) << run.out;
  EXPECT_FALSE(Has(run.out, "Input3")) << run.out;
  for (const char* internal : {"Label2", "In1Mode", "GPRS1Buffer", "DeviceID"}) {
    EXPECT_FALSE(Has(run.out, internal)) << internal;
  }
}

TEST(CliExit, BadCommandLinesExitWithTwoAndOneLine) {
  TempFolder folder;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {"frobnicate"},
           {"info"},
           {"--port", "ttyUSB0", "read", "gps"},
           {"--port", "ttyUSB0", "write", "gprs"},
           {"--port", "ttyUSB0", "set-mileage", "12km"},
           {"--port", "ttyUSB0", "--timeout", "0", "info"},
           {"--port"},
           {"--port", "ttyUSB0", "--code", "12345", "info"},
       }) {
    const CliRun run = RunCli(folder, args);
    EXPECT_EQ(run.status, 2) << testing::PrintToString(args);
    EXPECT_TRUE(run.err.starts_with("tracker-cli: ")) << run.err;
    EXPECT_TRUE(run.err.ends_with(" (see --help)\n")) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_TRUE(run.out.empty());
  }
}

TEST(CliExit, HelpAndVersionPrintOnStdout) {
  TempFolder folder;
  const CliRun version = RunCli(folder, {"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "tracker-cli " TRACKER_VERSION "\n");
  const CliRun help = RunCli(folder, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: tracker-cli")) << help.out;
  EXPECT_TRUE(help.err.empty());
}

TEST(CliExit, NoTrackerExitsWithOne) {
  TempFolder folder;
  const CliRun missing = RunCli(folder, {"--port", (folder / "ttyNONE").string(), "info"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(Has(missing.err,
                  "tracker-cli: Cannot open " + (folder / "ttyNONE").string() + ": no such port"))
      << missing.err;

  // A port that opens but where nobody answers the authorisation poll.
  int master = -1;
  int slave = -1;
  char name[256] = {};
  ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
  const CliRun silent = RunCli(folder, {"--port", name, "--timeout", "1", "read"});
  close(slave);
  close(master);
  EXPECT_EQ(silent.status, 1);
  EXPECT_TRUE(Has(silent.err, "tracker-cli: no tracker answered on")) << silent.err;
  EXPECT_TRUE(silent.out.empty());
}

TEST(CliExit, RefusalsAndMissingFilesExitWithOne) {
  TempFolder folder;
  SimProcess sim({"--code", "4711"});
  const CliRun refused = RunCli(folder, {"--port", sim.port(), "--code", "1234", "info"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_TRUE(Has(refused.err, "notice: Auth Code Error!"));
  EXPECT_TRUE(Has(refused.err, "refused the authorisation code")) << refused.err;

  const CliRun noFile = RunCli(folder, {"--port", sim.port(), "--code", "4711", "write", "--in",
                                        (folder / "missing.ini").string()});
  EXPECT_EQ(noFile.status, 1);
  EXPECT_TRUE(Has(noFile.err, "missing.ini' not found")) << noFile.err;

  const CliRun accepted =
      RunCli(folder, {"--port", sim.port(), "--code", "4711", "set-mileage", "123456"});
  EXPECT_EQ(accepted.status, 0) << accepted.err;
  EXPECT_TRUE(Has(accepted.err, "notice: Set Mileaga Completed!"));
}

TEST(CliService, IdentifiersGoInOneALineAndComeBackOneALine) {
  TempFolder folder;
  SimProcess sim({});
  const CliRun auth = RunCli(folder, {"--port", sim.port(), "rfid-auth", "0012AB", "0099CD"});
  ASSERT_EQ(auth.status, 0) << auth.err;
  EXPECT_TRUE(Has(auth.err, "notice: Auth ID Completed!"));
  const CliRun check = RunCli(folder, {"--port", sim.port(), "rfid-check"});
  ASSERT_EQ(check.status, 0) << check.err;
  EXPECT_EQ(check.out, "0012AB\n0099CD\n");

  const CliRun wipe = RunCli(folder, {"--port", sim.port(), "temp-delete"});
  EXPECT_EQ(wipe.status, 0) << wipe.err;
  EXPECT_TRUE(Has(wipe.err, "question: Really Delete All Temperatures? Yes"));
  EXPECT_TRUE(Has(wipe.err, "notice: Temperature Deleting Completed!"));
}

}  // namespace
}  // namespace tracker::test
