// The port list's order and the rule that keeps only real legacy UARTs.

#include "serial/port_enumerator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tracker {
namespace {

std::vector<std::string> Names(const std::vector<PortInfo>& ports) {
  std::vector<std::string> names;
  for (const auto& port : ports) names.push_back(port.name);
  return names;
}

TEST(PortOrder, NumbersInNamesCompareByValue) {
  std::vector<PortInfo> ports;
  for (const char* name : {"ttyUSB10", "ttyS1", "ttyUSB0", "ttyACM1", "ttyUSB2", "ttyACM0"}) {
    ports.push_back({name, "", 0, 0, false});
  }
  SortPortsByName(ports);
  EXPECT_EQ(Names(ports), (std::vector<std::string>{"ttyACM0", "ttyACM1", "ttyS1", "ttyUSB0",
                                                    "ttyUSB2", "ttyUSB10"}));
  EXPECT_TRUE(NaturalLess("ttyUSB", "ttyUSB0"));
  EXPECT_FALSE(NaturalLess("ttyUSB0", "ttyUSB0"));
  EXPECT_TRUE(NaturalLess("ttyUSB9", "ttyUSB000010"));
}

TEST(PortOrder, FixedEnumeratorGivesItsList) {
  const FixedPortEnumerator ports({{"pts/4", "Simulated tracker", 0, 0, false}});
  ASSERT_EQ(ports.presentPorts().size(), 1u);
  EXPECT_EQ(ports.presentPorts()[0].name, "pts/4");
}

TEST(LegacyUart, OnlyAKnownPortTypeCounts) {
  const auto root = std::filesystem::temp_directory_path() / "serial_test_sys_class_tty";
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root / "ttyS0");
  std::filesystem::create_directories(root / "ttyS1");
  std::filesystem::create_directories(root / "ttyS2");
  std::ofstream(root / "ttyS0" / "type") << "4\n";
  std::ofstream(root / "ttyS1" / "type") << "0\n";
  EXPECT_TRUE(LegacyUartPresent("ttyS0", root));
  EXPECT_FALSE(LegacyUartPresent("ttyS1", root));  // an empty 8250 slot
  EXPECT_FALSE(LegacyUartPresent("ttyS2", root));  // no serial-core type at all
  EXPECT_FALSE(LegacyUartPresent("ttyS9", root));
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace tracker
