// tracker-cli against tracker-sim: values that do not fit are refused before
// anything is sent; what the tracker holds survives a read and a write.

#include <gtest/gtest.h>

#include <sstream>

#include "app/e2e_processes.h"

namespace tracker::test {
namespace {

// The simulator's memory file: "block <n> <hex>" and "wifi <hex>" lines.
class StateFile {
 public:
  explicit StateFile(std::string text) : text_(std::move(text)) {}

  // Replaces bytes of a line's data, from a byte offset on.
  void put(const std::string& line, std::size_t offset, const std::string& hex) {
    const std::size_t at = dataStart(line) + 2 * offset;
    text_.replace(at, hex.size(), hex);
  }
  std::string get(const std::string& line, std::size_t offset, std::size_t count) const {
    return text_.substr(dataStart(line) + 2 * offset, 2 * count);
  }
  const std::string& text() const { return text_; }

 private:
  std::size_t dataStart(const std::string& line) const {
    const std::size_t at = text_.find("\n" + line + " ");
    if (at == std::string::npos) throw std::runtime_error("no line " + line);
    return at + line.size() + 2;
  }
  std::string text_;
};

std::string HexOf(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const unsigned char b : bytes) {
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 0x0F]);
  }
  return hex;
}

// A fresh tracker's memory, saved by the simulator.
StateFile FreshState(const std::string& path) {
  SimProcess sim({"--state", path});
  if (sim.stop() != 0) throw std::runtime_error("tracker-sim did not save its state");
  return StateFile("\n" + ReadText(path));
}

TEST(CliValues, AFileWithAValueOutOfRangeIsRefusedBeforeAnythingIsSent) {
  TempFolder folder;
  SimProcess sim({});
  const std::string file = (folder / "bad.ini").string();
  WriteText(file, "[GPRS]\r\nAPN=fleet\r\n[Main]\r\nTow Time=300\r\n");
  const CliRun run = RunCli(folder, {"--port", sim.port(), "--trace", "write", "--in", file});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run.err, "[Main] Tow Time: 300 is out of range 0–255")) << run.err;
  EXPECT_FALSE(Has(run.err, "connection:")) << "the port is never opened";

  // Nor does a file that is not text reach the tracker.
  WriteText(file, std::string("[GPRS]\r\nAPN=\0\0\0\r\n", 17));
  const CliRun binary = RunCli(folder, {"--port", sim.port(), "write", "--in", file});
  EXPECT_EQ(binary.status, 1);
  EXPECT_TRUE(Has(binary.err, "Cannot read " + file + ": not a text settings file"));
  EXPECT_FALSE(Has(binary.err, "connection:"));
}

TEST(CliValues, ReadThenWriteKeepsWhatTheTrackerHolds) {
  TempFolder folder;
  const std::string statePath = (folder / "tracker.state").string();
  StateFile state = FreshState(statePath);
  state.put("block 1", 202, "40");              // GPRS1 mode: a value newer firmware knows
  state.put("wifi", 32, HexOf(" pass word "));  // WIFI1 password with blanks
  state.put("block 2", 190 + 16, "0102030405060708fe00");  // Temp1: ID and high alarm 25.4
  state.put("block 2", 190 + 26, "ffff");                  // no low alarm
  WriteText(statePath, state.text().substr(1));
  const std::string temperature = state.get("block 2", 190, 256);

  SimProcess sim({"--state", statePath});
  const std::string file = (folder / "tracker.ini").string();
  const CliRun read = RunCli(folder, {"--port", sim.port(), "read", "--out", file});
  ASSERT_EQ(read.status, 0) << read.err;
  const std::string ini = ReadText(file);
  EXPECT_TRUE(Has(ini, "\r\nGPRS1 GPRS Mode=64\r\n"));
  EXPECT_TRUE(Has(ini, "\r\nWIFI1 Password=\" pass word \"\r\n"));

  const CliRun write = RunCli(folder, {"--port", sim.port(), "write", "--in", file});
  ASSERT_EQ(write.status, 0) << write.err;
  EXPECT_TRUE(Has(write.err, "the tracker keeps its paired sensors"));
  EXPECT_FALSE(Has(write.err, "Write Temperature")) << "the group is not sent at all";
  EXPECT_TRUE(Has(write.err, "notice: Write All Completed!"));
  ASSERT_EQ(sim.stop(), 0);
  const StateFile after("\n" + ReadText(statePath));
  EXPECT_EQ(after.get("block 1", 202, 1), "40");
  EXPECT_EQ(after.get("wifi", 32, 12), HexOf(" pass word ") + "00");
  EXPECT_EQ(after.get("block 2", 190, 256), temperature) << "the batch write keeps the sensors";
}

TEST(CliValues, ReadingOneGroupIntoAFileWritesOnlyItsKeysAndKeepsTheRest) {
  TempFolder folder;
  SimProcess sim({});
  const std::string file = (folder / "tracker.ini").string();
  const std::string mine = "; my notes\r\n[Custom]\r\nmine=1\r\n";
  WriteText(file, mine);
  const CliRun read = RunCli(folder, {"--port", sim.port(), "read", "gprs", "--out", file});
  ASSERT_EQ(read.status, 0) << read.err;
  const std::string ini = ReadText(file);
  EXPECT_TRUE(ini.starts_with(mine)) << ini;
  EXPECT_TRUE(Has(ini, "\r\n[GPRS]\r\nAPN="));
  EXPECT_FALSE(Has(ini, "[Main]"));
  EXPECT_FALSE(Has(ini, "Tow Time"));

  // A file that cannot be written is found before the tracker is read.
  const std::string nowhere = (folder / "missing" / "tracker.ini").string();
  const CliRun lost = RunCli(folder, {"--port", sim.port(), "read", "--out", nowhere});
  EXPECT_EQ(lost.status, 1);
  EXPECT_TRUE(Has(lost.err, "Unable to write to " + nowhere));
  EXPECT_FALSE(Has(lost.err, "connection:"));
}

}  // namespace
}  // namespace tracker::test
