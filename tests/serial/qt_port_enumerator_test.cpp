// The port list read through Qt on this machine: names OpenComm takes, in order,
// without empty legacy slots.

#include "serial/qt/qt_port_enumerator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "serial/device_path.h"

namespace tracker {
namespace {

TEST(QtPortEnumerator, ListsOpenableNamesInOrderWithoutEmptySlots) {
  const auto ports = QtPortEnumerator().presentPorts();
  for (std::size_t i = 0; i < ports.size(); ++i) {
    const std::string& name = ports[i].name;
    EXPECT_TRUE(std::filesystem::exists(CommDevicePath(name))) << name;
    if (i > 0) {
      EXPECT_FALSE(NaturalLess(name, ports[i - 1].name)) << name;
    }
    if (name.starts_with("ttyS") && !ports[i].hasIds) {
      EXPECT_TRUE(LegacyUartPresent(name)) << name;
    }
  }
}

TEST(QtPortEnumerator, EmptyLegacySlotsAreLeftOut) {
  // A sysfs view in which no ttyS slot holds a UART.
  const auto root = std::filesystem::temp_directory_path() / "serial_qt_test_sys_class_tty";
  std::filesystem::remove_all(root);
  for (int i = 0; i < 32; ++i) {
    const auto dir = root / ("ttyS" + std::to_string(i));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "type") << "0\n";
  }
  for (const auto& port : QtPortEnumerator(root).presentPorts()) {
    if (port.name.starts_with("ttyS")) {
      EXPECT_TRUE(port.hasIds) << port.name;
    }
  }
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace tracker
