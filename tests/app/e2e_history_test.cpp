// tracker-cli against tracker-sim: a file writes what it holds and nothing
// else, a file without settings is refused before the port is opened, every
// write keeps the copy before in the history, and restore puts it back.

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "app/e2e_processes.h"

namespace tracker::test {
namespace {

// The tracker's memory as the simulator saved it: "block <n>" and "wifi" to hex.
using Memory = std::map<std::string, std::string>;

Memory Stored(const std::string& statePath) {
  Memory memory;
  std::istringstream in(ReadText(statePath));
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string word;
    std::string number;
    std::string hex;
    fields >> word;
    if (word == "block" && fields >> number >> hex) memory["block " + number] = hex;
    if (word == "wifi" && fields >> hex) memory["wifi"] = hex;
  }
  return memory;
}

void SetKey(std::string& ini, const std::string& key, const std::string& value) {
  const auto at = ini.find("\n" + key + "=");
  ASSERT_NE(at, std::string::npos) << key;
  const auto start = at + key.size() + 2;
  ini.replace(start, ini.find_first_of("\r\n", start) - start, value);
}

// A tracker with a state file, stopped and started again around each step so
// that its stored memory can be compared.
class HistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim = std::make_unique<SimProcess>(std::vector<std::string>{"--state", state});
    // The customer's own values in several groups, so that a loss shows.
    std::string ini = Cli({"read"}).out;
    SetKey(ini, "APN", "fleet.example");
    SetKey(ini, "Tow Time", "30");
    SetKey(ini, "No.1 Name", "Depot Nord");
    SetKey(ini, "WIFI1 SSID", "depot-net");
    WriteText(folder / "customer.ini", ini);
    ASSERT_EQ(Cli({"write", "--in", path("customer.ini")}).status, 0);
  }

  // The memory the tracker holds now (it saves it when stopped).
  Memory memory() {
    sim.reset();
    Memory held = Stored(state);
    sim = std::make_unique<SimProcess>(std::vector<std::string>{"--state", state});
    return held;
  }
  CliRun Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", sim->port(), "--history", history});
    return RunCli(folder, std::move(args));
  }
  std::string path(const std::string& name) const { return (folder / name).string(); }

  TempFolder folder;
  const std::string state = path("tracker.state");
  const std::string history = path("history.sqlite");
  std::unique_ptr<SimProcess> sim;
};

TEST_F(HistoryTest, AFileWritesOnlyWhatItHolds) {
  ASSERT_EQ(Cli({"read", "gprs", "--out", path("g.ini")}).status, 0);
  std::string gprs = ReadText(folder / "g.ini");
  SetKey(gprs, "APN", "other.example");
  // One key removed: the tracker's value is written back.
  const auto key = gprs.find("\nAPN Name=");
  gprs.erase(key + 1, gprs.find('\n', key + 1) - key);
  WriteText(folder / "g.ini", gprs);
  const Memory before = memory();

  const CliRun write = Cli({"write", "--in", path("g.ini")});
  ASSERT_EQ(write.status, 0) << write.err;
  EXPECT_TRUE(Has(write.err, path("g.ini") +
                                 " holds no [Main], [Interface], [WIFI], [Auth], [GEO], "
                                 "[Event], [DLT]: left as they are"))
      << write.err;
  EXPECT_TRUE(Has(write.err, "[GPRS] APN Name: not in " + path("g.ini") + ", kept")) << write.err;
  const Memory after = memory();
  EXPECT_NE(after.at("block 1"), before.at("block 1")) << "the APN was written";
  for (const auto& [name, bytes] : before) {
    if (name != "block 1") {
      EXPECT_EQ(after.at(name), bytes) << name << " changed";
    }
  }
  const std::string read = Cli({"read", "gprs"}).out;
  EXPECT_TRUE(Has(read, "APN=other.example")) << read;
  EXPECT_TRUE(Has(Cli({"read", "main"}).out, "Tow Time=30"));

  // A group named that the file lacks is refused, naming its section.
  const CliRun named = Cli({"write", "--in", path("g.ini"), "gprs", "geo"});
  EXPECT_EQ(named.status, 1);
  EXPECT_TRUE(Has(named.err, path("g.ini") + " holds no [GEO]: nothing written")) << named.err;
  EXPECT_FALSE(Has(named.err, "identified")) << "refused before the port was opened";
}

TEST_F(HistoryTest, FilesWithoutSettingsAndADamagedHistoryAreRefusedWithNothingSent) {
  std::string highBytes = "\x89PNG image";
  highBytes += std::string(4096, '\xC3');
  const struct {
    const char* name;
    std::string bytes;
  } files[] = {{"empty.ini", ""}, {"custom.ini", "[Custom]\r\nx=1\r\n"}, {"image.ini", highBytes}};
  const Memory before = memory();
  for (const auto& file : files) {
    WriteText(folder / file.name, file.bytes);
    for (const std::vector<std::string>& groups : {std::vector<std::string>{}, {"gprs"}}) {
      std::vector<std::string> args = {"write", "--in", path(file.name)};
      args.insert(args.end(), groups.begin(), groups.end());
      const CliRun run = Cli(args);
      EXPECT_EQ(run.status, 1) << file.name;
      EXPECT_TRUE(Has(run.err, path(file.name) + " holds no tracker settings")) << run.err;
      EXPECT_FALSE(Has(run.err, "identified")) << file.name;
    }
  }
  // A damaged history: refused, named with its reason, left as it is.
  const std::string damaged = "SQLite format 3 but not really, and then some bytes\n";
  WriteText(folder / "damaged.sqlite", damaged);
  const CliRun run = RunCli(folder, {"--port", sim->port(), "--history", path("damaged.sqlite"),
                                     "write", "--in", path("customer.ini")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run.err, path("damaged.sqlite") + ": file is not a database")) << run.err;
  EXPECT_FALSE(Has(run.err, "identified"));
  EXPECT_EQ(ReadText(folder / "damaged.sqlite"), damaged);
  EXPECT_EQ(memory(), before) << "nothing reached the tracker";
}

TEST_F(HistoryTest, TheCopyBeforeIsKeptAndRestoredByteForByte) {
  const std::string held = Cli({"read"}).out;
  const Memory before = memory();
  std::string wrong = held;
  SetKey(wrong, "No.1 Name", "");
  SetKey(wrong, "Tow Time", "0");
  WriteText(folder / "wrong.ini", wrong);
  const CliRun write = Cli({"--timing", "write", "--in", path("wrong.ini")});
  ASSERT_EQ(write.status, 0) << write.err;
  EXPECT_TRUE(Has(write.err, "timing: WriteAll copy before ")) << write.err;
  ASSERT_NE(memory(), before);

  const std::string list = RunCli(folder, {"--history", history, "history", "--json"}).out;
  EXPECT_TRUE(Has(list, R"({"id":2,)")) << list;
  EXPECT_TRUE(Has(list, R"("command":"write","groups":["all"],"file":")" + path("wrong.ini")))
      << list;
  EXPECT_EQ(RunCli(folder, {"--history", history, "history", "show", "2"}).out, held);
  EXPECT_EQ(RunCli(folder, {"--history", history, "history", "show", "2", "--after"}).out, wrong);

  // Restore refuses another tracker, then puts the copy back, itself recorded.
  {
    sim.reset();
    SimProcess other({"--device-id", "860000000000099"});
    const CliRun refused =
        RunCli(folder, {"--port", other.port(), "--history", history, "restore", "2"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(Has(refused.err, "is 860000000000099, record 2 was kept from 860000000000001"))
        << refused.err;
    sim = std::make_unique<SimProcess>(std::vector<std::string>{"--state", state});
  }
  const CliRun restore = Cli({"restore", "2"});
  ASSERT_EQ(restore.status, 0) << restore.err;
  EXPECT_EQ(memory(), before) << "byte for byte";
  const std::string newest = RunCli(folder, {"--history", history, "history"}).out;
  EXPECT_TRUE(newest.starts_with("3 ")) << newest;
  EXPECT_TRUE(Has(newest.substr(0, newest.find('\n')), "restore all")) << newest;

  // An RFID change keeps the identifiers the tracker held.
  ASSERT_EQ(Cli({"rfid-auth", "AB12"}).status, 0);
  ASSERT_EQ(Cli({"rfid-delete", "AB12"}).status, 0);
  EXPECT_EQ(RunCli(folder, {"--history", history, "history", "show", "5"}).out,
            "[RFID]\r\nID1=AB12\r\n");
}

}  // namespace
}  // namespace tracker::test
