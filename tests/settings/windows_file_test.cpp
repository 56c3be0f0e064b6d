// A settings file written by hand the Windows way: read as the Windows reader
// reads it, and saved without disturbing what the window does not own.

#include <algorithm>
#include <string>
#include <vector>

#include "settings/ini_test_support.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "ui/memory_controls.h"

namespace tracker::testing {
namespace {

// Lines of the hand-written file; the ones a save must keep byte for byte are
// marked kept (unchanged values of our keys included).
struct HandLine {
  std::string bytes;
  bool kept;
};

std::vector<HandLine> HandWritten() {
  const std::string longName(3000, 'x');
  return {
      {"; Tracker settings, edited by hand\r\n", true},
      {"[gprs]\r\n", true},
      {"  apn =  \"fleet apn\"  \r\n", false},
      {"APN NAME=user\r\n", true},
      {";GPRS1 IP=commented.example\r\n", true},
      {"GPRS1 Port = 9000\r\n", true},
      {"gprs1 gprs mode = 2\r\n", true},
      {"\r\n", true},
      {"[Custom]\r\n", true},
      {"Anything=goes ; here\r\n", true},
      {"[MAIN]\r\n", true},
      {"Speeding=80\r\n", true},
      {"SPEEDING=120\r\n", true},
      {"Work Mode=\"0\"\r\n", false},
      {"; end of main\r\n", true},
      {"\r\n", true},
      {"[Interface]\r\n", true},
      {"Tank1 Name=" + longName + "\r\n", false},
      {"[Event]\r\n", true},
      {"Tow alarm Out1 = 2\r\n", false},
      {"[gprs]\r\n", true},
      {"APN Password=later\r\n", true},
  };
}

std::vector<std::string> SplitCrlf(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t end = bytes.find("\r\n", pos);
    lines.push_back(bytes.substr(pos, end + 2 - pos));
    pos = end + 2;
  }
  return lines;
}

bool IsOwnedKeyLine(const std::string& section, const std::string& line) {
  const auto& keys = SettingKeys();
  const std::string name = line.substr(0, line.find('='));
  return line.find('=') != std::string::npos && line.ends_with("\r\n") &&
         std::any_of(keys.begin(), keys.end(), [&](const SettingKey& key) {
           return key.key.size() == name.size() && key.section.size() == section.size() &&
                  std::equal(name.begin(), name.end(), key.key.begin(),
                             [](char a, char b) { return ::tolower(a) == ::tolower(b); }) &&
                  std::equal(section.begin(), section.end(), key.section.begin(),
                             [](char a, char b) { return ::tolower(a) == ::tolower(b); });
         });
}

class WindowsFileTest : public IniFileTest {
 protected:
  void SetUp() override {
    for (const HandLine& line : HandWritten()) original_ += line.bytes;
    WriteBytes(path(), original_);
    ASSERT_TRUE(LoadSettingsFile(path(), controls_));
  }
  std::string original_;
  MemoryControls controls_;
};

TEST_F(WindowsFileTest, LoadsAsTheWindowsReaderReadsIt) {
  EXPECT_EQ(controls_.text("APN"), "fleet apn");
  EXPECT_EQ(controls_.text("APNName"), "user");
  EXPECT_EQ(controls_.text("IP"), "gps.kelvorin.example");
  EXPECT_EQ(controls_.text("Port"), "9000");
  EXPECT_EQ(controls_.text("GPRSType"), "UDP");
  EXPECT_EQ(controls_.text("APNPassword"), "");  // only in a later section of the same name
  EXPECT_EQ(controls_.text("Speed"), "80");
  EXPECT_EQ(controls_.itemIndex("WorkMode"), 0);
  EXPECT_EQ(controls_.text("Tank1Name"), std::string(2047, 'x'));
  EXPECT_TRUE(controls_.checked("TowOUT1"));
  EXPECT_EQ(controls_.text("TimeInterval"), "10");
}

TEST_F(WindowsFileTest, SavingKeepsEverythingItDoesNotOwnByteForByte) {
  SaveSettingsFile(path(), controls_);
  const std::string saved = ReadBytes(path());

  // Walking the saved lines: each is the next kept line or a line of one of our keys.
  std::vector<std::string> kept;
  for (const HandLine& line : HandWritten()) {
    if (line.kept) kept.push_back(line.bytes);
  }
  std::size_t next = 0;
  std::string section;
  for (const std::string& line : SplitCrlf(saved)) {
    if (next < kept.size() && line == kept[next]) {
      ++next;
    } else if (line.starts_with("[")) {
      EXPECT_TRUE(std::find(SettingSections().begin(), SettingSections().end(),
                            line.substr(1, line.size() - 4)) != SettingSections().end())
          << line;
    } else {
      EXPECT_TRUE(IsOwnedKeyLine(section, line)) << line;
    }
    if (line.starts_with("[")) section = line.substr(1, line.find(']') - 1);
  }
  EXPECT_EQ(next, kept.size());

  // Our lines: rewritten in the file's own spelling, new keys after the last key line.
  EXPECT_NE(saved.find("[gprs]\r\napn=fleet apn\r\nAPN NAME=user\r\n"), std::string::npos);
  EXPECT_NE(saved.find("gprs1 gprs mode = 2\r\nAPN Password=\r\nGPRS1 IP=gps.kelvorin.example\r\n"),
            std::string::npos);
  EXPECT_NE(saved.find("SPEEDING=120\r\nWork Mode=0\r\nGPS Log Interval=0\r\n"), std::string::npos);
  EXPECT_NE(saved.find("Tank1 Name=" + std::string(2047, 'x') + "\r\n"), std::string::npos);
  EXPECT_NE(saved.find("[Event]\r\nTow alarm Out1=1\r\n"), std::string::npos);
  EXPECT_NE(saved.find("APN Password=later\r\n[WIFI]\r\nWIFI1 SSID=\r\n"), std::string::npos);

  // And the saved file means the same to the window.
  MemoryControls reloaded;
  LoadSettingsFile(path(), reloaded);
  for (const SettingKey& key : SettingKeys()) {
    EXPECT_EQ(reloaded.text(key.control), controls_.text(key.control)) << key.key;
    EXPECT_EQ(reloaded.checked(key.control), controls_.checked(key.control)) << key.key;
  }
}

}  // namespace
}  // namespace tracker::testing
