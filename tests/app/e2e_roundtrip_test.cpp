// tracker-cli against tracker-sim: a settings file written to the tracker and
// read back, and the bytes the tracker stores for it.

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "app/e2e_processes.h"
#include "codec/codec.h"
#include "settings/settings_file.h"
#include "ui/memory_controls.h"

namespace tracker::test {
namespace {

// Sets the value of the first line "key=..." of a settings file.
void SetKey(std::string& ini, const std::string& key, const std::string& value) {
  const std::string start = "\n" + key + "=";
  const auto at = ini.find(start);
  ASSERT_NE(at, std::string::npos) << key;
  const auto valueAt = at + start.size();
  const auto end = ini.find_first_of("\r\n", valueAt);
  ini.replace(valueAt, end - valueAt, value);
}

// A full settings file as a fresh tracker gives it, with values of every
// group changed. Input1's mode differs from what the model's defaults would
// set, so a file loaded before the identification would lose it.
std::string EditedSettings(const TempFolder& folder, const std::string& port) {
  const CliRun read = RunCli(folder, {"--port", port, "read"});
  EXPECT_EQ(read.status, 0) << read.err;
  std::string ini = read.out;
  SetKey(ini, "APN", "fleet.example");
  SetKey(ini, "GPRS1 Port", "5027");
  SetKey(ini, "Input1", "2");
  SetKey(ini, "WIFI1 SSID", "depot-net");
  SetKey(ini, "Auth1 Number", "+15550100");
  SetKey(ini, "No.1 Name", "Yard");
  SetKey(ini, "No.1 Radius", "250");
  SetKey(ini, "Interval tracking Name", "Tick");
  SetKey(ini, "Licence3", "1");
  return ini;
}

TEST(CliRoundTrip, WrittenFileReadsBackByteForByte) {
  TempFolder folder;
  SimProcess sim({});
  const std::string edited = EditedSettings(folder, sim.port());
  WriteText(folder / "edited.ini", edited);

  const CliRun write =
      RunCli(folder, {"--port", sim.port(), "write", "--in", (folder / "edited.ini").string()});
  ASSERT_EQ(write.status, 0) << write.err;
  EXPECT_NE(write.err.find("notice: Write All Completed!"), std::string::npos);

  const CliRun read =
      RunCli(folder, {"--port", sim.port(), "read", "--out", (folder / "back.ini").string()});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_TRUE(read.out.empty()) << "with --out nothing goes to stdout";
  EXPECT_EQ(ReadText(folder / "back.ini"), edited);
}

// The tracker's memory as the simulator saves it: "block <n> <hex>", "wifi <hex>".
std::map<std::string, std::string> StateLines(const std::string& text) {
  std::map<std::string, std::string> lines;
  std::istringstream in(text);
  std::string word;
  std::string number;
  std::string hex;
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    fields >> word;
    if (word == "block" && fields >> number >> hex) lines["block " + number] = hex;
    if (word == "wifi" && fields >> hex) lines["wifi"] = hex;
  }
  return lines;
}

std::string Hex(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const std::uint8_t b : bytes) {
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 0x0F]);
  }
  return hex;
}

TEST(CliRoundTrip, WriteStoresTheEncodedBytesOfEveryGroup) {
  TempFolder folder;
  const std::string statePath = (folder / "tracker.state").string();
  SimProcess sim({"--state", statePath});
  const std::string edited = EditedSettings(folder, sim.port());
  WriteText(folder / "edited.ini", edited);
  const CliRun write =
      RunCli(folder, {"--port", sim.port(), "write", "--in", (folder / "edited.ini").string()});
  ASSERT_EQ(write.status, 0) << write.err;
  ASSERT_EQ(sim.stop(), 0);
  const auto state = StateLines(ReadText(statePath));

  MemoryControls controls;
  ASSERT_TRUE(LoadSettingsFile((folder / "edited.ini").string(), controls));
  // Temperature is not in the file: the tracker keeps its own rows.
  for (const Group group : {Group::Gprs, Group::MainA, Group::MainB, Group::Interface, Group::Sms,
                            Group::Geo, Group::Event, Group::Dlt}) {
    const Bytes bytes = Encode(group, controls);
    const std::span<const std::uint8_t> payload = bytes;
    ASSERT_GT(payload.size(), 5u);
    const std::string block = "block " + std::to_string(payload[0]);
    const std::size_t offset = payload[1] * 256u + payload[2];
    const std::string data = Hex(payload.subspan(5));
    ASSERT_TRUE(state.contains(block)) << block;
    EXPECT_EQ(state.at(block).substr(offset * 2, data.size()), data)
        << "group " << static_cast<int>(group) << " at " << block << " offset " << offset;
  }
  const std::string wifi = Hex(Encode(Group::Wifi, controls));
  ASSERT_TRUE(state.contains("wifi"));
  EXPECT_EQ(state.at("wifi").substr(0, wifi.size()), wifi);
  // And by hand: the APN text lies in block 1.
  EXPECT_NE(state.at("block 1").find(Hex(std::vector<std::uint8_t>{'f', 'l', 'e', 'e', 't'})),
            std::string::npos);
}

}  // namespace
}  // namespace tracker::test
