// Loading and saving the window's values: defaults, lists, flags, other
// sections, repeated saves and failures.

#include <sys/stat.h>

#include <string>
#include <vector>

#include "settings/ini_test_support.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "ui/memory_controls.h"

namespace tracker::testing {
namespace {

class SettingsFileTest : public IniFileTest {
 protected:
  bool LoadText(std::string_view bytes) {
    WriteBytes(path(), bytes);
    return LoadSettingsFile(path(), controls_);
  }
  MemoryControls controls_;
};

// Whether every keyed control holds exactly what the key's default puts there.
void ExpectDefaultsExcept(const Controls& controls, std::string_view skipped) {
  for (const SettingKey& key : SettingKeys()) {
    if (key.control == skipped) continue;
    switch (key.type) {
      case SettingType::Text:
        EXPECT_EQ(controls.text(key.control), key.textDefault) << key.key;
        break;
      case SettingType::Position:
        EXPECT_EQ(controls.itemIndex(key.control), key.numberDefault) << key.key;
        break;
      case SettingType::Flag:
        EXPECT_EQ(controls.checked(key.control), key.numberDefault != 0) << key.key;
        break;
    }
  }
}

// What every keyed control holds.
std::vector<std::string> KeyedValues(const Controls& controls) {
  std::vector<std::string> values;
  for (const SettingKey& key : SettingKeys()) {
    values.push_back(controls.text(key.control) + "#" +
                     std::to_string(controls.itemIndex(key.control)) +
                     (controls.checked(key.control) ? "+" : "-"));
  }
  return values;
}

TEST_F(SettingsFileTest, MissingFileLeavesTheInitialValues) {
  const MemoryControls initial;
  EXPECT_FALSE(LoadSettingsFile(folder().file("absent.ini"), controls_));
  EXPECT_EQ(controls_.itemIndex("GPRSType"), 0);
  EXPECT_EQ(controls_.text("GPRSType"), "Close");
  for (const SettingKey& key : SettingKeys()) {
    EXPECT_EQ(controls_.text(key.control), initial.text(key.control)) << key.key;
    EXPECT_EQ(controls_.itemIndex(key.control), initial.itemIndex(key.control)) << key.key;
    EXPECT_EQ(controls_.checked(key.control), initial.checked(key.control)) << key.key;
  }
}

TEST_F(SettingsFileTest, FileWithOnlyTheApnGivesEveryOtherControlItsDefault) {
  EXPECT_TRUE(LoadText("[GPRS]\r\nAPN=fleet.apn\r\n"));
  EXPECT_EQ(controls_.text("APN"), "fleet.apn");
  EXPECT_EQ(controls_.text("GPRSType"), "TCP");
  EXPECT_EQ(controls_.text("TimeInterval"), "10");
  EXPECT_EQ(controls_.text("HeartBeatTM"), "60");
  EXPECT_EQ(controls_.text("Acceleration"), "450");
  EXPECT_EQ(controls_.text("In4Mode"), "AD Input");
  EXPECT_EQ(controls_.text("RS232_1"), "RFID Reader");
  EXPECT_EQ(controls_.text("Resolution1"), "320*240");
  EXPECT_EQ(controls_.text("WorkMode"), "Normal Sport");
  EXPECT_EQ(controls_.text("IP"), "gps.kelvorin.example");
  ExpectDefaultsExcept(controls_, "APN");
}

TEST_F(SettingsFileTest, ListWithoutSelectionIsSavedAsMinusOneAndComesBackEmpty) {
  controls_.setItemIndex("GPRSType", -1);
  SaveSettingsFile(path(), controls_);
  EXPECT_NE(ReadBytes(path()).find("\r\nGPRS1 GPRS Mode=-1\r\n"), std::string::npos);

  MemoryControls reloaded;
  ASSERT_TRUE(LoadSettingsFile(path(), reloaded));
  EXPECT_EQ(reloaded.itemIndex("GPRSType"), -1);
  EXPECT_EQ(reloaded.text("GPRSType"), "");

  // 255 is no selection too; hexadecimal is a position.
  EXPECT_TRUE(LoadText("[GPRS]\r\nGPRS1 GPRS Mode=255\r\nGPRS1 Report Mode=0x1\r\n"));
  EXPECT_EQ(controls_.itemIndex("GPRSType"), -1);
  EXPECT_EQ(controls_.itemIndex("ReportType"), 1);
}

TEST_F(SettingsFileTest, AFileThatIsNotTextIsRefusedAndChangesNothing) {
  controls_.setText("APN", "kept");
  const std::vector<std::string> before = KeyedValues(controls_);
  for (const std::string_view bytes : {std::string_view("[GPRS]\r\nAPN=x\0y\r\n", 17),
                                       std::string_view("\x7F"
                                                        "ELF\x02\x01\x01"),
                                       std::string_view("\xFF\xFE[\0G\0]\0", 8)}) {
    WriteBytes(path(), bytes);
    try {
      LoadSettingsFile(path(), controls_);
      ADD_FAILURE() << "loaded " << bytes.size() << " bytes";
    } catch (const ESettingsReadError& e) {
      EXPECT_EQ(e.what(), "Cannot read " + path() + ": not a text settings file");
    }
    EXPECT_EQ(KeyedValues(controls_), before);
    // Nor is it written over.
    EXPECT_THROW(SaveSettingsFile(path(), controls_), EIniWriteError);
    EXPECT_EQ(ReadBytes(path()), bytes);
  }
}

TEST_F(SettingsFileTest, BlanksAndQuotesAtTheEndsSurviveASave) {
  for (const char* password : {" pass word ", "\"quoted\"", "'single'", "\ttab"}) {
    controls_.setText("WIFI1PSW", password);
    SaveSettingsFile(path(), controls_);
    MemoryControls reloaded;
    ASSERT_TRUE(LoadSettingsFile(path(), reloaded));
    EXPECT_EQ(reloaded.text("WIFI1PSW"), password);
  }
}

TEST_F(SettingsFileTest, AValueTheListDoesNotKnowIsKeptAsItsNumber) {
  EXPECT_TRUE(LoadText("[GPRS]\r\nGPRS1 GPRS Mode=64\r\n"));
  EXPECT_EQ(controls_.text("GPRSType"), "Value 64");
  SaveSettingsFile(path(), controls_);
  EXPECT_NE(ReadBytes(path()).find("\r\nGPRS1 GPRS Mode=64\r\n"), std::string::npos);
  // A known value drops the extra item again.
  EXPECT_TRUE(LoadText("[GPRS]\r\nGPRS1 GPRS Mode=1\r\n"));
  EXPECT_EQ(controls_.itemIndex("GPRSType"), 1);
  EXPECT_EQ(controls_.itemCount("GPRSType"), 3);
}

TEST_F(SettingsFileTest, FlagOfTwoIsSetAndAWordGivesTheRowDefault) {
  controls_.setChecked("IntervalGPRS1", false);
  controls_.setChecked("PWROffGPRS1", true);
  EXPECT_TRUE(
      LoadText("[Event]\r\nTow alarm Out1=2\r\nInterval GPRS1=yes\r\nDevice power off GPRS1=on\r\n"
               "[Auth]\r\nAuth1 Auto Answer=-1\r\n"));
  EXPECT_TRUE(controls_.checked("TowOUT1"));
  EXPECT_TRUE(controls_.checked("IntervalGPRS1"));
  EXPECT_FALSE(controls_.checked("PWROffGPRS1"));
  EXPECT_TRUE(controls_.checked("Auth1Answer"));
}

TEST_F(SettingsFileTest, DisabledEventChecksFollowTheirKeys) {
  for (const char* name :
       {"IntervalGPRS1", "IntervalGPRS2", "IntervalCMR1", "ReplyGPRS1", "ReplySMS2"}) {
    controls_.setEnabled(name, false);
  }
  controls_.setChecked("ReplyGPRS2", false);
  EXPECT_TRUE(
      LoadText("[Event]\r\nInterval GPRS1=0\r\nInterval Camera1=1\r\nReply current GPRS1=0\r\n"
               "Reply current SMS2=1\r\n"));
  EXPECT_FALSE(controls_.checked("IntervalGPRS1"));
  EXPECT_TRUE(controls_.checked("IntervalGPRS2"));  // missing key: the row's default
  EXPECT_TRUE(controls_.checked("IntervalCMR1"));
  EXPECT_FALSE(controls_.checked("ReplyGPRS1"));
  EXPECT_TRUE(controls_.checked("ReplyGPRS2"));
  EXPECT_TRUE(controls_.checked("ReplySMS2"));
}

TEST_F(SettingsFileTest, InputFourSms2CheckIsKeptUnderItsOwnKey) {
  controls_.setChecked("IN4SMS2", true);
  SaveSettingsFile(path(), controls_);
  EXPECT_NE(ReadBytes(path()).find("\r\nInput4 active SMS2=1\r\n"), std::string::npos);
  MemoryControls reloaded;
  LoadSettingsFile(path(), reloaded);
  EXPECT_TRUE(reloaded.checked("IN4SMS2"));

  // A file from before the key existed clears the check.
  EXPECT_TRUE(LoadText("[Event]\r\nInput4 active SMS1=1\r\n"));
  EXPECT_FALSE(controls_.checked("IN4SMS2"));
  EXPECT_TRUE(controls_.checked("IN4SMS1"));
}

TEST_F(SettingsFileTest, SavingKeepsOtherSectionsAndTwiceGivesTheSameBytes) {
  const std::string custom = "[Custom]\r\nMine=1\r\n; note\r\n";
  WriteBytes(path(), custom + "[GPRS]\r\nAPN=x\r\n");
  controls_.setText("APN", "changed");
  SaveSettingsFile(path(), controls_);
  const std::string first = ReadBytes(path());
  EXPECT_TRUE(first.starts_with(custom + "[GPRS]\r\nAPN=changed\r\nAPN Name=\r\n"));
  SaveSettingsFile(path(), controls_);
  EXPECT_EQ(ReadBytes(path()), first);
}

TEST_F(SettingsFileTest, SparseFileSavedUnderAnotherNameHoldsAll927Keys) {
  ASSERT_TRUE(LoadText("[Main]\r\nSpeeding=120\r\n"));
  const std::string other = folder().file("Copy.ini");
  SaveSettingsFile(other, controls_);

  const std::string bytes = ReadBytes(other);
  // A new file: the sections in order, each key on its own CRLF line, nothing else.
  EXPECT_TRUE(bytes.starts_with("[GPRS]\r\nAPN=internet\r\nAPN Name=\r\n"));
  EXPECT_TRUE(bytes.ends_with("\r\nDLT Track=0\r\nLicence Report=0\r\n"));
  std::size_t lines = 0;
  for (std::size_t pos = 0; (pos = bytes.find("\r\n", pos)) != std::string::npos; pos += 2) ++lines;
  EXPECT_EQ(lines, 927u + 8u);

  IniDocument saved;
  ASSERT_EQ(saved.load(other), IniLoad::Loaded);
  for (const SettingKey& key : SettingKeys()) {
    EXPECT_NE(saved.readString(key.section, key.key, "\x01missing"), "\x01missing") << key.key;
  }
  EXPECT_EQ(saved.readString("Main", "Speeding", ""), "120");
  EXPECT_EQ(saved.readString("Event", "Interval GPRS1", ""), "1");
}

TEST_F(SettingsFileTest, EveryValueSurvivesASaveAndLoad) {
  int n = 0;
  for (const SettingKey& key : SettingKeys()) {
    ++n;
    if (key.type == SettingType::Text) controls_.setText(key.control, "v" + std::to_string(n));
    if (key.type == SettingType::Position) controls_.setItemIndex(key.control, n % 2);
    if (key.type == SettingType::Flag) controls_.setChecked(key.control, n % 3 == 0);
  }
  SaveSettingsFile(path(), controls_);
  MemoryControls reloaded;
  ASSERT_TRUE(LoadSettingsFile(path(), reloaded));
  for (const SettingKey& key : SettingKeys()) {
    EXPECT_EQ(reloaded.text(key.control), controls_.text(key.control)) << key.key;
    EXPECT_EQ(reloaded.itemIndex(key.control), controls_.itemIndex(key.control)) << key.key;
    EXPECT_EQ(reloaded.checked(key.control), controls_.checked(key.control)) << key.key;
  }
}

TEST_F(SettingsFileTest, UnwritableFileShowsTheMessageAndStaysAsItWas) {
  const std::string old = "[GPRS]\r\nAPN=old\r\n";
  WriteBytes(path(), old);
  ::chmod(path().c_str(), 0444);
  controls_.setText("APN", "new");
  try {
    SaveSettingsFile(path(), controls_);
    FAIL() << "saved into a read-only file";
  } catch (const EIniWriteError& error) {
    EXPECT_STREQ(error.what(), ("Unable to write to " + path()).c_str());
  }
  EXPECT_EQ(ReadBytes(path()), old);

  const std::string underAFile = path() + "/Other.ini";
  EXPECT_THROW(SaveSettingsFile(underAFile, controls_), EIniWriteError);
  EXPECT_EQ(Entries(folder().path()), std::vector<std::string>{"Tracker.ini"});
}

}  // namespace
}  // namespace tracker::testing
