// tracker-cli against tracker-sim: every write read back and compared, and
// diff between the tracker and a file or between two files.

#include <gtest/gtest.h>

#include <sstream>

#include "app/e2e_processes.h"

namespace tracker::test {
namespace {

// Sets the value of the first line "key=..." of a settings file.
std::string WithKey(std::string ini, const std::string& key, const std::string& value) {
  const std::string start = "\n" + key + "=";
  const auto at = ini.find(start);
  if (at == std::string::npos) throw std::runtime_error("no key " + key);
  const auto valueAt = at + start.size();
  ini.replace(valueAt, ini.find_first_of("\r\n", valueAt) - valueAt, value);
  return ini;
}

// The tracker's whole configuration as a settings file in the folder.
std::string ReadTracker(const TempFolder& folder, const SimProcess& sim, const std::string& name) {
  const CliRun read = RunCli(folder, {"--port", sim.port(), "read", "--out", (folder / name)});
  EXPECT_EQ(read.status, 0) << read.err;
  return ReadText(folder / name);
}

// The request count of a "timing: <what> ..." line.
int RequestsOf(const std::string& err, const std::string& what) {
  const auto at = err.find("timing: " + what + " ");
  if (at == std::string::npos) return -1;
  std::istringstream line(err.substr(err.find("s, ", at) + 3));
  int requests = -1;
  line >> requests;
  return requests;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(CliVerify, CleanWriteIsVerifiedAtTheCostOfOneRead) {
  TempFolder folder;
  SimProcess sim({});
  const std::string ini = WithKey(ReadTracker(folder, sim, "a.ini"), "Tow Time", "30");
  WriteText(folder / "b.ini", ini);

  const CliRun write =
      RunCli(folder, {"--port", sim.port(), "--timing", "write", "--in", (folder / "b.ini")});
  ASSERT_EQ(write.status, 0) << write.err;
  EXPECT_TRUE(Has(write.err, "notice: Write All Completed!\nnotice: Verified\n")) << write.err;
  const CliRun read = RunCli(folder, {"--port", sim.port(), "--timing", "read"});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_GT(RequestsOf(write.err, "WriteAll verify"), 0) << write.err;
  EXPECT_EQ(RequestsOf(write.err, "WriteAll verify"), RequestsOf(read.err, "ReadAll"));
}

TEST(CliVerify, WriteTheTrackerDoesNotKeepFailsAndNamesTheField) {
  TempFolder folder;
  SimProcess sim({"--forget-writes", "2"});
  const std::string ini = WithKey(ReadTracker(folder, sim, "a.ini"), "Tow Time", "30");
  WriteText(folder / "b.ini", ini);

  const CliRun write =
      RunCli(folder, {"--port", sim.port(), "write", "--in", (folder / "b.ini"), "gprs", "main"});
  EXPECT_EQ(write.status, 1) << write.err;
  EXPECT_TRUE(Has(write.err, "notice: Write GPRS Completed!\nnotice: Verified\n")) << write.err;
  EXPECT_TRUE(Has(write.err,
                  "notice: Write Main Completed!\nnotice: Verify failed:\n"
                  "notice: [Main] Tow Time: sent 30, tracker holds 0\n"))
      << write.err;
  EXPECT_EQ(CountOf(write.err, "tracker holds"), 1) << "only the changed field differs";
  EXPECT_TRUE(Has(write.err,
                  "tracker-cli: \"Write\" on the Main tab: verify failed, the tracker "
                  "did not keep 1 field\n"))
      << write.err;

  const CliRun unverified = RunCli(
      folder, {"--port", sim.port(), "--no-verify", "write", "--in", (folder / "b.ini"), "main"});
  EXPECT_EQ(unverified.status, 0) << unverified.err;
  EXPECT_FALSE(Has(unverified.err, "Verif")) << unverified.err;
}

TEST(CliDiff, ListsExactlyTheKeysThatDifferWithExitZeroOrThree) {
  TempFolder folder;
  SimProcess sim({});
  const std::string original = ReadTracker(folder, sim, "a.ini");
  const CliRun same = RunCli(folder, {"--port", sim.port(), "diff", "--in", (folder / "a.ini")});
  EXPECT_EQ(same.status, 0) << same.err;
  EXPECT_EQ(same.out, "");

  std::string edited = WithKey(original, "Tow Time", "30");
  edited = WithKey(edited, "APN", "fleet.example");
  edited = WithKey(edited, "WIFI1 SSID", "depot-net");
  edited = WithKey(edited, "No.1 Radius", "250");
  WriteText(folder / "b.ini", edited);
  const std::vector<std::string> expected = {
      "[GPRS] APN: tracker \"\", file fleet.example", "[Main] Tow Time: tracker 0, file 30",
      "[WIFI] WIFI1 SSID: tracker \"\", file depot-net", "[GEO] No.1 Radius: tracker 0, file 250"};
  const CliRun all = RunCli(folder, {"--port", sim.port(), "diff", "--in", (folder / "b.ini")});
  EXPECT_EQ(all.status, 3) << all.err;
  EXPECT_EQ(Lines(all.out), expected);

  const CliRun main =
      RunCli(folder, {"--port", sim.port(), "diff", "--in", (folder / "b.ini"), "main", "geo"});
  EXPECT_EQ(main.status, 3) << main.err;
  EXPECT_EQ(Lines(main.out), (std::vector<std::string>{expected[1], expected[3]}));

  const std::string a = folder / "a.ini";
  const std::string b = folder / "b.ini";
  const CliRun files = RunCli(folder, {"diff", a, b});
  EXPECT_EQ(files.status, 3) << files.err;
  ASSERT_EQ(Lines(files.out).size(), 4u) << files.out;
  EXPECT_EQ(Lines(files.out)[1], "[Main] Tow Time: " + a + " 0, " + b + " 30");
  EXPECT_EQ(RunCli(folder, {"diff", a, a}).status, 0);
}

TEST(CliDiff, BadLinesAndMissingFiles) {
  TempFolder folder;
  WriteText(folder / "a.ini", "[Main]\r\nTow Time=5\r\n");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"diff", (folder / "a.ini")},
           {"--port", "ttyUSB0", "diff", "main"},
           {"--port", "ttyUSB0", "diff", "--in", (folder / "a.ini"), "gps"},
           {"diff", "--in", (folder / "a.ini"), (folder / "a.ini")},
       }) {
    EXPECT_EQ(RunCli(folder, args).status, 2) << testing::PrintToString(args);
  }
  const CliRun missing = RunCli(folder, {"diff", (folder / "a.ini"), (folder / "none.ini")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(Has(missing.err, "none.ini' not found")) << missing.err;
}

}  // namespace
}  // namespace tracker::test
