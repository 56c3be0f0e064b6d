// The port list without Qt, over a made-up /dev and /sys/class/tty.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <fstream>

#include "app/cli/sysfs_port_enumerator.h"

namespace tracker::cli {
namespace {

class Folder {
 public:
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "cli-ports-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::filesystem::path operator/(const char* name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

TEST(CliPorts, UsbAdaptersAndRealUartsInNaturalOrder) {
  const Folder root;
  const auto dev = root / "dev";
  const auto sys = root / "sys";
  std::filesystem::create_directories(dev);
  for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS1", "tty0", "ttyUSB",
                           "ttyUSBx", "null", "ttyprintk"}) {
    std::ofstream(dev / name);
  }
  // ttyS0 is a real UART; ttyS1 an empty slot (type 0).
  for (const auto& [name, type] : {std::pair{"ttyS0", "4"}, std::pair{"ttyS1", "0"}}) {
    std::filesystem::create_directories(sys / name);
    std::ofstream(sys / name / "type") << type << "\n";
  }
  std::vector<std::string> names;
  for (const PortInfo& port : SysfsPortEnumerator(dev, sys).presentPorts()) {
    names.push_back(port.name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"ttyACM0", "ttyS0", "ttyUSB2", "ttyUSB10"}));
}

TEST(CliPorts, AFolderThatCannotBeListedHasNoPorts) {
  EXPECT_TRUE(SysfsPortEnumerator("/nonexistent/dev").presentPorts().empty());
}

}  // namespace
}  // namespace tracker::cli
