// tracker-cli on several simulated trackers at once, the report file, the
// watch command programming trackers as they appear, and the progress line
// that only a terminal gets.

#include <gtest/gtest.h>
#include <pty.h>

#include <regex>

#include "app/e2e_processes.h"

namespace tracker::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The report line of a port, or "".
std::string ReportOf(const std::string& report, const std::string& port) {
  for (const std::string& line : Lines(report)) {
    if (Has(line, "\"port\":\"" + port + "\"")) return line;
  }
  return {};
}

// A settings file as the default simulator gives it.
std::string SettingsFile(const TempFolder& folder) {
  SimProcess sim({});
  const std::string path = (folder / "settings.ini").string();
  const CliRun run = RunCli(folder, {"--port", sim.port(), "read", "--out", path});
  EXPECT_EQ(run.status, 0) << run.err;
  return path;
}

// tracker-cli in the background, its stdout and stderr in files; interrupted
// (as by Ctrl+C) when asked.
class BackgroundCli {
 public:
  BackgroundCli(const TempFolder& folder, std::vector<std::string> args)
      : out_(folder / "bg.stdout"),
        err_(folder / "bg.stderr"),
        pid_(SpawnToFiles(TRACKER_CLI_PATH, std::move(args), out_.string(), err_.string())) {}
  ~BackgroundCli() { interrupt(); }
  BackgroundCli(const BackgroundCli&) = delete;
  BackgroundCli& operator=(const BackgroundCli&) = delete;

  // Waits until stdout holds `count` lines; whether it did in time.
  bool awaitLines(std::size_t count) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (Lines(out()).size() < count) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
  }
  int interrupt() { return StopChild(pid_, exit_, SIGINT, std::chrono::seconds(30)); }
  std::string out() const { return ReadText(out_); }
  std::string err() const { return ReadText(err_); }

 private:
  std::filesystem::path out_;
  std::filesystem::path err_;
  pid_t pid_ = 0;
  int exit_ = -1;
};

TEST(CliFleet, TrackersInOneCallEachGetTheirReportLineAndTheWorseResultDecides) {
  TempFolder folder;
  // A value other than the simulator's own, so that a tracker that forgets it differs.
  std::string settings = SettingsFile(folder);
  std::string ini = ReadText(settings);
  const auto tow = ini.find("\nTow Time=");
  ASSERT_NE(tow, std::string::npos);
  ini.replace(tow + 10, ini.find_first_of("\r\n", tow + 10) - tow - 10, "30");
  WriteText(settings, ini);
  const std::string report = (folder / "report.jsonl").string();
  const std::string history = (folder / "history.sqlite").string();
  SimProcess good({"--device-id", "860000000000011"});
  SimProcess refusing({"--device-id", "860000000000012", "--code", "9999"});
  SimProcess forgetting({"--device-id", "860000000000013", "--forget-writes", "2"});
  const CliRun run = RunCli(folder, {"--port", good.port(), "--port", refusing.port(), "--port",
                                     forgetting.port(), "--code", "1234", "--report", report,
                                     "--history", history, "write", "--in", settings});
  EXPECT_EQ(run.status, 1) << run.err;
  const std::string goodLabel = good.port().substr(5);  // "pts/N"
  const std::string badLabel = refusing.port().substr(5);
  // One line a tracker (and the Temperature note once).
  EXPECT_TRUE(Has(run.err, "[" + goodLabel + "] 860000000000011: Write All Completed! Verified\n"))
      << run.err;
  EXPECT_TRUE(Has(run.err, "[" + badLabel + "] tracker-cli: the tracker refused")) << run.err;
  EXPECT_EQ(CountOf(run.err, "\n"), 4) << run.err;
  EXPECT_FALSE(Has(run.err, "\r")) << "no progress line when stderr is no terminal";
  // The summary table: port, device ID, result, seconds.
  EXPECT_TRUE(std::regex_search(run.out, std::regex("PORT +DEVICE ID +RESULT +SECONDS\n")));
  EXPECT_TRUE(
      std::regex_search(run.out, std::regex(goodLabel + " +860000000000011 +ok +\\d+\\.\\d\\d")))
      << run.out;
  EXPECT_TRUE(std::regex_search(run.out, std::regex(badLabel + " +- +failed +\\d+\\.\\d\\d")))
      << run.out;

  const std::string lines = ReadText(report);
  ASSERT_EQ(Lines(lines).size(), 3u) << lines;
  const std::string ok = ReportOf(lines, good.port());
  EXPECT_TRUE(std::regex_match(
      ok, std::regex(R"(\{"time":"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ","port":"[^"]+",)"
                     R"("deviceId":"860000000000011","imei":"860000000000011",)"
                     R"("firmware":"FW1.0-Larch","command":"write","groups":\["all"\],)"
                     R"("file":"[^"]+settings.ini","fileSha256":"[0-9a-f]{64}",)"
                     R"("result":"ok","message":"Write All Completed!\\nVerified",)"
                     R"("verified":true,"differences":\[\],"seconds":\d+\.\d{3}\})")))
      << ok;
  // Verification failed: the field the tracker did not keep is named.
  const std::string forgot = ReportOf(lines, forgetting.port());
  EXPECT_TRUE(Has(forgot, R"("result":"failed",)")) << forgot;
  EXPECT_TRUE(Has(forgot, R"("verified":false,"differences":["[Main] Tow Time: sent 30, )"
                          R"(tracker holds 0"],)"))
      << forgot;
  // A refusing tracker still told who it is.
  const std::string refused = ReportOf(lines, refusing.port());
  EXPECT_TRUE(Has(refused, R"("deviceId":"","imei":"860000000000012")")) << refused;
  EXPECT_TRUE(Has(refused, R"("result":"failed","message":"the tracker refused the authorisation )"
                           R"(code","verified":null,"differences":null,)"))
      << refused;
  // One record for each tracker the write reached, kept in parallel.
  const std::string records = RunCli(folder, {"--history", history, "history", "--json"}).out;
  ASSERT_EQ(Lines(records).size(), 2u) << records;
  EXPECT_TRUE(Has(records, R"("deviceId":"860000000000011")")) << records;
  EXPECT_TRUE(Has(records, R"("deviceId":"860000000000013")")) << records;

  // Both completing: exit 0, and the report grows by a line for each.
  const CliRun again =
      RunCli(folder, {"--port", good.port(), "--port", refusing.port(), "--code", "9999",
                      "--report", report, "read", "gprs", "--timeout", "5"});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(Lines(ReadText(report)).size(), 5u);
  EXPECT_TRUE(Has(ReadText(report), R"("command":"read","groups":["gprs"])"));
  EXPECT_EQ(CountOf(again.out, "[" + goodLabel + "] [GPRS]"), 1) << again.out;
}

TEST(CliFleet, WatchProgramsEachTrackerOnceAsItAppears) {
  TempFolder folder;
  const std::string settings = SettingsFile(folder);
  const std::string watched = (folder / "ports").string();
  std::filesystem::create_directory(watched);
  const std::string report = (folder / "watch.jsonl").string();
  const std::string history = (folder / "watch.sqlite").string();
  auto first = std::make_unique<SimProcess>(
      std::vector<std::string>{"--device-id", "860000000000021", "--link", watched + "/ttyTRK1"});
  BackgroundCli watch(folder, {"watch", "--in", settings, "--port", watched + "/ttyTRK*",
                               "--report", report, "--history", history});
  ASSERT_TRUE(watch.awaitLines(1)) << watch.err();
  SimProcess second({"--device-id", "860000000000022", "--link", watched + "/ttyTRK2"});
  ASSERT_TRUE(watch.awaitLines(2)) << watch.err();
  // Both stay plugged in: several scans later neither is written again.
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  EXPECT_EQ(Lines(watch.out()).size(), 2u) << watch.out();
  // Unplugged, and another tracker on the same name: that one is written.
  first.reset();
  EXPECT_FALSE(std::filesystem::exists(watched + "/ttyTRK1")) << "the link goes with the simulator";
  SimProcess third({"--device-id", "860000000000023", "--link", watched + "/ttyTRK1"});
  ASSERT_TRUE(watch.awaitLines(3)) << watch.err();

  EXPECT_EQ(watch.interrupt(), 0) << watch.err();
  const std::vector<std::string> lines = Lines(watch.out());
  ASSERT_EQ(lines.size(), 3u) << watch.out();
  const char* ids[] = {"860000000000021", "860000000000022", "860000000000023"};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(std::regex_match(lines[i], std::regex(".*/ttyTRK\\d: " + std::string(ids[i]) +
                                                      " written.* in \\d+\\.\\d\\d s")))
        << lines[i];
  }
  EXPECT_EQ(Lines(ReadText(report)).size(), 3u);
  EXPECT_TRUE(Has(watch.err(), "watch: 3 written, 0 failed")) << watch.err();
  EXPECT_EQ(Lines(RunCli(folder, {"--history", history, "history"}).out).size(), 3u)
      << "one record a tracker";
}

TEST(CliFleet, ATerminalSeesTheProgressLine) {
  TempFolder folder;
  SimProcess sim({});
  int master = -1;
  int slave = -1;
  ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const std::string outPath = (folder / "out.ini").string();
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, slave, STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, master);
  const std::string program = TRACKER_CLI_PATH;
  std::vector<std::string> args{"--port", sim.port(), "read"};
  std::vector<char*> argv = Argv(program, args);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(slave);
  std::string seen;
  char buffer[4096];
  for (;;) {
    pollfd p{master, POLLIN, 0};
    if (poll(&p, 1, 10000) <= 0) break;
    const ssize_t n = read(master, buffer, sizeof buffer);
    if (n <= 0) break;  // the program has ended and closed the terminal
    seen.append(buffer, static_cast<std::size_t>(n));
  }
  close(master);
  EXPECT_EQ(WaitExit(pid, std::chrono::seconds(10)), 0) << seen;
  EXPECT_TRUE(
      std::regex_search(seen, std::regex(R"(Read All: Reading GPRS \d+% \(\d+ of \d+ bytes\))")))
      << seen;
  EXPECT_TRUE(Has(seen, "\r\x1b[K")) << "the line is erased for the lines that follow";
  EXPECT_TRUE(Has(ReadText(outPath), "[GPRS]")) << "stdout keeps the settings file alone";
}

}  // namespace
}  // namespace tracker::test
