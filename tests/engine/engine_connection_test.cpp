// Start-up, the port list, opening and closing the port.

#include <filesystem>
#include <fstream>

#include "engine_fixture.h"
#include "serial/port_enumerator.h"
#include "ui/catalogue.h"

namespace tracker {
namespace {

std::string tempIni(const std::string& name, const std::string& content) {
  const auto path = std::filesystem::temp_directory_path() / name;
  std::ofstream(path, std::ios::binary) << content;
  return path.string();
}

TEST_F(EngineTest, StartUpWithoutPortsOrSettingsFile) {
  engine.FormCreate(FixedPortEnumerator({}), "/nonexistent/Tracker.ini");
  EXPECT_EQ(window.caption, "Kelvorin_Parameter_Editor_DLT_V2.4");
  EXPECT_EQ(controls.text("ComboBox1"), "None");
  EXPECT_EQ(window.panels[0], "Disconnect");
  EXPECT_EQ(window.panels[1], "Idle");
  for (const Operation& operation : Operations()) {
    if (operation.button.empty() || operation.enabledAtStart) continue;
    const std::string_view button = operation.button;
    EXPECT_FALSE(controls.enabled(button)) << button;
  }
  for (const char* locked : {"DeviceID", "BatteryLowVolt", "ReplyGPRS1", "ReplyCMR1",
                             "IntervalGPRS1", "IntervalGPRS2", "IntervalCMR1"}) {
    EXPECT_FALSE(controls.enabled(locked)) << locked;
  }
  EXPECT_TRUE(controls.enabled("ClearSMS")) << "the Info tab's Clear buttons stay enabled";
  EXPECT_EQ(controls.itemIndex("GPRSType"), 0) << "no file: initial values stay";
  EXPECT_FALSE(state().SettingsLoaded);
  EXPECT_EQ(port.frameCount(), 0u);

  window.dltShown = false;
  engine.FormCreate(FixedPortEnumerator({}), "/nonexistent/Tracker.ini");
  EXPECT_EQ(window.caption, "Kelvorin_Parameter_Editor_V2.4");
}

TEST_F(EngineTest, StartUpPicksTheFirstPortAndLoadsTrackerIni) {
  const std::string ini = tempIni("engine_startup_Tracker.ini", "[GPRS]\r\nAPN=fleet.example\r\n");
  engine.FormCreate(
      FixedPortEnumerator({{"ttyACM0", "", 0, 0, false}, {"ttyUSB0", "", 0, 0, false}}), ini);
  EXPECT_EQ(controls.text("ComboBox1"), "ttyACM0");
  EXPECT_EQ(controls.itemCount("ComboBox1"), 2);
  EXPECT_EQ(controls.text("APN"), "fleet.example");
  EXPECT_EQ(controls.itemIndex("GPRSType"), 1) << "missing keys take their defaults";
  EXPECT_TRUE(state().SettingsLoaded);
  std::filesystem::remove(ini);
}

TEST_F(EngineTest, DropDownRefreshesTheListAndKeepsTheText) {
  engine.FormCreate(FixedPortEnumerator({}), "/nonexistent/Tracker.ini");
  controls.setText("ComboBox1", "ttyS9");
  engine.ComboBox1DropDown(FixedPortEnumerator({{"ttyUSB3", "", 0, 0, false}}));
  EXPECT_EQ(controls.itemCount("ComboBox1"), 1);
  EXPECT_EQ(controls.text("ComboBox1"), "ttyS9");
}

TEST_F(EngineTest, OpenAndCloseThePort) {
  engine.FormCreate(FixedPortEnumerator({{"ttyUSB0", "", 0, 0, false}}), "/nonexistent/x.ini");
  state().SettingsLoaded = true;
  click("OpenPort");
  EXPECT_EQ(port.opened, "ttyUSB0");
  EXPECT_EQ(controls.caption("OpenPort"), "Close");
  EXPECT_FALSE(controls.enabled("ReadAll")) << "until the tracker answers";
  EXPECT_EQ(state().AuthPollDelay, kAuthPollTicks);
  EXPECT_FALSE(state().SettingsLoaded);
  EXPECT_EQ(window.panels[0], "Disconnect") << "until the tracker answers";
  deliver(AnswerFrame(0x50, {0x01, 0x01, 0x00, 0x00, 0x00, 'F', ',', 'I', ',', 'S', ','}));
  EXPECT_EQ(window.panels[0], "Connected");
  EXPECT_FALSE(controls.enabled("ReadAll")) << "while the identifier is read";
  deliver(ReadAnswer(1, 16, TextBytes("860000000000001")));
  for (const char* name : {"ReadAll", "CHK_ID", "ClearSMS", "SetMileage", "InitAll"}) {
    EXPECT_TRUE(controls.enabled(name)) << name;
  }
  EXPECT_EQ(controls.text("IMEI"), "I");

  click("OpenPort");
  EXPECT_FALSE(port.isOpen);
  EXPECT_EQ(controls.caption("OpenPort"), "Open");
  EXPECT_FALSE(controls.enabled("ReadAll"));
  EXPECT_EQ(state().AuthPollDelay, 0);
  EXPECT_EQ(controls.text("IMEI"), "") << "the next tracker may be another one";
  EXPECT_EQ(controls.text("DeviceID"), "");

  click("OpenPort");
  EXPECT_EQ(state().AuthPollDelay, kAuthPollTicks) << "each opening restarts the poll";
}

TEST_F(EngineTest, FailedOpenShowsTheErrorAndChangesNothing) {
  engine.FormCreate(FixedPortEnumerator({}), "/nonexistent/x.ini");
  port.failOpen = "Error opening serial port";
  click("OpenPort");
  EXPECT_EQ(window.errors, std::vector<std::string>{"Error opening serial port"});
  EXPECT_FALSE(state().PortOpened);
  EXPECT_EQ(controls.caption("OpenPort"), "Open");
  EXPECT_FALSE(controls.enabled("ReadAll"));
  EXPECT_EQ(state().AuthPollDelay, 0);
  EXPECT_EQ(controls.text("IMEI"), "") << "the next tracker may be another one";
  EXPECT_EQ(controls.text("DeviceID"), "");
}

TEST_F(EngineTest, ExitClosesThePort) {
  controls.setText("ComboBox1", "ttyUSB0");
  click("OpenPort");
  engine.Exit1Click();
  EXPECT_FALSE(port.isOpen);
}

}  // namespace
}  // namespace tracker
