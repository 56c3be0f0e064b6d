#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "sim/options.h"
#include "sim/state_file.h"

namespace tracker::sim {
namespace {

TEST(SimOptions, DefaultsAndEveryOption) {
  const SimOptions plain = parseOptions({});
  EXPECT_EQ(plain.model, "Larch");
  EXPECT_FALSE(plain.code.has_value());
  EXPECT_EQ(plain.paceBaud, 0);
  EXPECT_FALSE(plain.banner);

  const SimOptions all = parseOptions({"--model",
                                       "Birch",
                                       "--code=AB12",
                                       "--state",
                                       "s.txt",
                                       "--port-file",
                                       "p.txt",
                                       "--pace",
                                       "115200",
                                       "--silent",
                                       "0xB6",
                                       "--silent=89",
                                       "--bad-crc",
                                       "2",
                                       "--split",
                                       "40",
                                       "--banner",
                                       "--device-id",
                                       "123456789012345",
                                       "--forget-writes",
                                       "2",
                                       "--forget-writes=0",
                                       "--cut-after",
                                       "3",
                                       "--cut-pause=25",
                                       "--false-start",
                                       "--bad-crc-every",
                                       "4"});
  EXPECT_EQ(all.model, "Birch");
  EXPECT_EQ(all.code, "AB12");
  EXPECT_EQ(all.stateFile, "s.txt");
  EXPECT_EQ(all.portFile, "p.txt");
  EXPECT_EQ(all.paceBaud, 115200);
  EXPECT_EQ(all.faults.silent, (std::set<std::uint8_t>{0xB6, 0x59}));
  EXPECT_EQ(all.faults.badCrcAnswers, 2);
  EXPECT_EQ(all.faults.split.count(), 40);
  EXPECT_EQ(all.faults.forgetBlocks, (std::set<std::uint8_t>{0, 2}));
  EXPECT_EQ(all.faults.cutAfter, 3u);
  EXPECT_EQ(all.faults.cutPause.count(), 25);
  EXPECT_TRUE(all.faults.falseStart);
  EXPECT_EQ(all.faults.badCrcEvery, 4);
  EXPECT_TRUE(all.banner);
  EXPECT_EQ(all.deviceId, "123456789012345");
  EXPECT_TRUE(parseOptions({"--help"}).help);
}

TEST(SimOptions, UsageErrorsNameTheProblem) {
  const auto message = [](std::vector<std::string> args) {
    try {
      parseOptions(args);
    } catch (const UsageError& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  EXPECT_NE(message({"--frobnicate"}).find("unknown option"), std::string::npos);
  EXPECT_NE(message({"--model"}).find("needs a value"), std::string::npos);
  EXPECT_NE(message({"--code", "12345"}).find("4 characters"), std::string::npos);
  EXPECT_NE(message({"--silent", "0x1FF"}).find("not a number"), std::string::npos);
  EXPECT_NE(message({"--pace", "fast"}).find("not a number"), std::string::npos);
  EXPECT_NE(message({"--split", "0"}).find("not a number"), std::string::npos);
  EXPECT_NE(message({"--forget-writes", "7"}).find("not a number"), std::string::npos);
  EXPECT_NE(message({"--device-id", "86"}).find("15 digits"), std::string::npos);
  EXPECT_NE(message({"--model", "A,B"}).find("','"), std::string::npos);
}

TEST(SimState, RoundTripKeepsTheWholeMemory) {
  DeviceStore store = DeviceStore::factoryNew("860000000000001");
  store.block(4)->at(255) = 0x7E;
  store.wifi[5] = 'x';
  store.rfids = {"A1", "B 2"};
  store.buffers[2] = BufferFill{7, 9};
  store.battery = 12;
  store.mileage = 0xDEADBEEF;
  store.authCode =
      "ab\xff"
      "d";

  DeviceStore loaded = DeviceStore::factoryNew("860000000000001");
  parseState(formatState(store), loaded);
  EXPECT_EQ(loaded.blocks, store.blocks);
  EXPECT_EQ(loaded.wifi, store.wifi);
  EXPECT_EQ(loaded.rfids, store.rfids);
  EXPECT_EQ(loaded.buffers[2].stored, 7u);
  EXPECT_EQ(loaded.buffers[2].capacity, 9u);
  EXPECT_EQ(loaded.battery, 12);
  EXPECT_EQ(loaded.mileage, 0xDEADBEEFu);
  EXPECT_EQ(loaded.authCode, store.authCode);

  store.authCode.reset();
  parseState(formatState(store), loaded);
  EXPECT_FALSE(loaded.authCode.has_value());
}

TEST(SimState, DamagedFileIsRejectedAndChangesNothing) {
  DeviceStore store = DeviceStore::factoryNew("860000000000001");
  const DeviceStore before = store;
  const std::string good = formatState(store);
  EXPECT_THROW(parseState("something else\n", store), StateError);
  EXPECT_THROW(parseState(good + "block 2 0011\n", store), StateError);  // wrong size
  EXPECT_THROW(parseState(good + "wifi zz\n", store), StateError);
  EXPECT_THROW(parseState(good + "battery 300\n", store), StateError);
  EXPECT_THROW(parseState(good + "colour blue\n", store), StateError);
  EXPECT_EQ(store.blocks, before.blocks);
  EXPECT_EQ(store.mileage, before.mileage);
}

TEST(SimState, SaveReplacesTheFileWholeAndLeavesNoTemporary) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("sim_state_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "state.txt").string();
  { std::ofstream(path) << "old contents that are longer than nothing\n"; }
  DeviceStore store = DeviceStore::factoryNew("860000000000001");
  store.mileage = 42;
  saveStateFile(path, store);
  DeviceStore loaded = DeviceStore::factoryNew("860000000000001");
  loadStateFile(path, loaded);
  EXPECT_EQ(loaded.mileage, 42u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                          std::filesystem::directory_iterator()),
            1);
  EXPECT_THROW(loadStateFile((dir / "missing").string(), loaded), StateError);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tracker::sim
