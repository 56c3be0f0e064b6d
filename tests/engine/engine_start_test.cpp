// Starting operations and timing them out.

#include "engine_fixture.h"

#include <optional>

namespace tracker {
namespace {

struct StartCase {
  const char* control;
  std::uint8_t command;
  Activity activity;
  std::optional<Group> group;  // of the first step
  std::uint8_t timeout;
  const char* panel;
};

const StartCase kStarts[] = {
    {"ReadAll", 0x59, Activity::Reading, Group::Gprs, 5, "Reading All..."},
    {"WriteAll", 0x58, Activity::Writing, Group::Gprs, 5, "Writing All..."},
    {"InitAll", 0xE5, Activity::Service, std::nullopt, 10, "Defaulting..."},
    {"GPRSWrite", 0x58, Activity::Writing, Group::Gprs, 5, "Writing GPRS..."},
    {"MainWrite", 0x58, Activity::Writing, Group::MainA, 5, "Writing Main..."},
    {"InterfaceWrite", 0x58, Activity::Writing, Group::Interface, 5, "Writing Interface..."},
    {"Temp_Write", 0x58, Activity::Writing, Group::Temperature, 5, "Writing Temp..."},
    {"WIFI_Write", 0xB6, Activity::Writing, Group::Wifi, 5, "Writing WIFI..."},
    {"SMSWrite", 0x58, Activity::Writing, Group::Sms, 5, "Writing Auth..."},
    {"GEOFenceWrite", 0x58, Activity::Writing, Group::Geo, 5, "Writing GEO..."},
    {"EventWrite", 0x58, Activity::Writing, Group::Event, 5, "Writing Event..."},
    {"DLTWrite", 0x58, Activity::Writing, Group::Dlt, 5, "Writing DLT..."},
    {"GPRSRead", 0x59, Activity::Reading, Group::Gprs, 5, "Reading GPRS..."},
    {"MainRead", 0x59, Activity::Reading, Group::MainA, 5, "Reading Main..."},
    {"InterfaceRead", 0x59, Activity::Reading, Group::Interface, 5, "Reading Interface..."},
    {"Temp_Read", 0x59, Activity::Reading, Group::Temperature, 5, "Reading Temp..."},
    {"WIFI_Read", 0xB7, Activity::Reading, Group::Wifi, 5, "Reading WIFI..."},
    {"SMSRead", 0x59, Activity::Reading, Group::Sms, 5, "Reading Auth..."},
    {"GEOFenceRead", 0x59, Activity::Reading, Group::Geo, 5, "Reading GEO..."},
    {"EventRead", 0x59, Activity::Reading, Group::Event, 5, "Reading Event..."},
    {"DLTRead", 0x59, Activity::Reading, Group::Dlt, 5, "Reading DLT..."},
    {"ClearGPRS1", 0xC1, Activity::Service, std::nullopt, 5, "Clear GPRS-1..."},
    {"ClearGPRS2", 0xC2, Activity::Service, std::nullopt, 5, "Clear GPRS-2..."},
    {"ClearSMS", 0xC0, Activity::Service, std::nullopt, 5, "Clear SMS..."},
    {"ClearGPSLog", 0xC3, Activity::Service, std::nullopt, 5, "Clear GPS Log..."},
    {"SetMileage", 0xC4, Activity::Service, std::nullopt, 5, "Set Mileage..."},
    {"SET_ID", 0xB0, Activity::Service, std::nullopt, 10, "Auth ID..."},
    {"DEL_ID", 0xB1, Activity::Service, std::nullopt, 10, "Deleting ID..."},
    {"CHK_ID", 0xB2, Activity::Service, std::nullopt, 5, "Check ID..."},
    {"Temp_Pair", 0xB5, Activity::Service, std::nullopt, 5, "Temperature Pairing..."},
    {"ClearCode", 0xE6, Activity::Service, std::nullopt, 5, "Clear Auth Code..."},
};

TEST_F(EngineTest, EveryStartHandlerSendsItsRequestAndArmsItsTimeout) {
  controls.setText("Temp_Index", "1");
  controls.setText("Temp_Name", "Cab");
  for (const StartCase& c : kStarts) {
    SCOPED_TRACE(c.control);
    state() = EngineState{};
    const std::size_t before = port.frameCount();
    click(c.control);
    ASSERT_EQ(port.frameCount(), before + 1);
    EXPECT_EQ(port.lastCommand(), c.command);
    EXPECT_EQ(state().activity, c.activity);
    EXPECT_EQ(state().ReplyTimeout, c.timeout);
    EXPECT_EQ(panel1(), c.panel);
    EXPECT_EQ(state().step, 0u);
    EXPECT_EQ(state().current().group, c.group);
    EXPECT_EQ(state().operation->all,
              std::string_view(c.control).ends_with("All") && c.activity != Activity::Service);
  }
  EXPECT_TRUE(window.errors.empty());
}

TEST_F(EngineTest, TempPairAsksBeforeDeletingAndNoSendsNothing) {
  controls.setText("Temp_Index", "");
  controls.setText("Temp_Name", "");
  window.answerYes = false;
  window.panels[1] = "Idle";
  click("Temp_Pair");
  EXPECT_EQ(window.questions.back(), "Really Delete All Temperatures?");
  EXPECT_EQ(port.frameCount(), 0u);
  EXPECT_EQ(panel1(), "Idle");

  controls.setText("Temp_Index", "3");
  window.answerYes = true;
  click("Temp_Pair");
  EXPECT_EQ(window.questions.back(), "Really Delete Temperature?");
  EXPECT_EQ(port.lastFrame(), AnswerFrame(0xB5, {'3'}));
  EXPECT_EQ(panel1(), "Temperature Deleting...");
}

struct TimeoutCase {
  const char* control;
  const char* panel;
  const char* box;
};

const TimeoutCase kTimeouts[] = {
    {"GPRSWrite", "Write Error", "Write Overtime!"},
    {"GPRSRead", "Read Error", "Read Overtime!"},
    {"InitAll", "Default Error", "Default Overtime!"},
    {"ClearSMS", "Clear SMS Buffer Error", "Clear SMS Buffer Overtime!"},
    {"ClearGPRS1", "Clear GPRS-1 Buffer Error", "Clear GPRS-1 Buffer Overtime!"},
    {"ClearGPRS2", "Clear GPRS-2 Buffer Error", "Clear GPRS-2 Buffer Overtime!"},
    {"ClearGPSLog", "Clear GPS Log Error", "Clear GPS Log Overtime!"},
    {"SetMileage", "Set Mileage Error", "Set Mileage Overtime!"},
    {"SET_ID", "Auth ID Error", "Auth ID Overtime!"},
    {"DEL_ID", "Delete ID Error", "Delete ID Overtime!"},
    {"CHK_ID", "Check ID Error", "Check ID Overtime!"},
    {"ClearCode", "Clear Auth Code Error", "Clear Auth Code Overtime!"},
    {"WIFI_Write", "Write Error", "Write Overtime!"},
    {"WIFI_Read", "Read Error", "Read Overtime!"},
};

TEST_F(EngineTest, EveryTimeoutShowsItsErrorAndOvertimeBox) {
  for (const TimeoutCase& c : kTimeouts) {
    SCOPED_TRACE(c.box);
    state() = EngineState{};
    click(c.control);
    state().ReplyTimeout = 2;
    tick2();
    EXPECT_TRUE(engine.busy()) << "one tick left";
    for (int i = 0; i < 40 && engine.busy(); ++i) tick2();  // reads and writes retry
    EXPECT_EQ(panel1(), c.panel);
    EXPECT_EQ(window.lastNotice(), c.box);
    EXPECT_FALSE(engine.busy());
  }
}

TEST_F(EngineTest, TempPairTimeoutTextFollowsTheRequestSent) {
  controls.setText("Temp_Index", "2");
  controls.setText("Temp_Name", "Rear");
  click("Temp_Pair");
  controls.setText("Temp_Name", "");
  tick2(5);
  EXPECT_EQ(panel1(), "Temperature Pairing Error");
  EXPECT_EQ(window.lastNotice(), "Temperature Pairing Overtime!");
}

TEST_F(EngineTest, IdleAndIdentifyingTimeoutsAreSilent) {
  window.panels[1] = "Idle";
  state().ReplyTimeout = 1;
  tick2();
  deliver(AnswerFrame(0x50, {0x01, 0x01}));
  window.panels[1] = "Idle";
  tick2(kIdentifierTicks);
  EXPECT_TRUE(window.notices.empty());
  EXPECT_EQ(panel1(), "Idle");
  EXPECT_NE(state().activity, Activity::Identifying);
  EXPECT_FALSE(engine.busy());
}

TEST_F(EngineTest, ReadGprsWithoutAnswerIsAskedThreeTimesThenTimesOut) {
  click("GPRSRead");
  const Bytes request = port.lastFrame();
  tick2(4);
  EXPECT_EQ(port.frameCount(), 1u);
  tick2();
  EXPECT_EQ(panel1(), "Read GPRS: retry 1");
  tick2(5);
  EXPECT_EQ(panel1(), "Read GPRS: retry 2");
  EXPECT_EQ(port.frameCount(), 3u);
  EXPECT_EQ(port.lastFrame(), request);
  EXPECT_TRUE(window.notices.empty());
  tick2(5);
  EXPECT_EQ(port.frameCount(), 3u);
  EXPECT_EQ(panel1(), "Read Error");
  EXPECT_EQ(window.notices, std::vector<std::string>{"Read Overtime!"});
  EXPECT_FALSE(engine.busy());
}

TEST_F(EngineTest, BadMileageLeavesStateAndSendsNothing) {
  controls.setText("Mileage", "12.5");
  click("SetMileage");
  EXPECT_EQ(window.errors, std::vector<std::string>{
                               "Mileage: '12.5' is not a valid value; the range is 0–4294967295"});
  EXPECT_EQ(port.frameCount(), 0u);
  EXPECT_FALSE(engine.busy());
  EXPECT_EQ(state().ReplyTimeout, 0);
}

TEST_F(EngineTest, AuthPollWaitsForTheOperationAndNeverCancelsIt) {
  state().AuthPollDelay = kAuthPollTicks;
  click("GPRSRead");
  tick1(80);
  EXPECT_EQ(port.frameCount(), 1u) << "no poll while the read runs";
  EXPECT_EQ(state().activity, Activity::Reading);
  deliver(answerToLastRead());
  EXPECT_EQ(window.lastNotice(), "Read GPRS Completed!");
  tick1();
  EXPECT_EQ(port.lastFrame(), AnswerFrame(0x50, {0x01, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(state().AuthPollDelay, kAuthPollTicks);
  tick1(50);
  EXPECT_EQ(port.frameCount(), 3u) << "and every fifty ticks after";
}

TEST_F(EngineTest, OneOperationAtATime) {
  click("WriteAll");
  const std::size_t sent = port.frameCount();
  for (const char* other : {"InitAll", "ReadAll", "GPRSRead", "ClearSMS", "Temp_Pair"}) {
    click(other);
    EXPECT_EQ(port.frameCount(), sent) << other << " must not start during Write All";
  }
  EXPECT_TRUE(window.questions.empty());
  while (engine.busy()) deliver(ackToLastWrite());
  EXPECT_EQ(window.notices, std::vector<std::string>{"Write All Completed!"});
}

TEST_F(EngineTest, DestructiveCommandsAskFirstAndDefaultRereads) {
  engine.behaviour.readAfterDefault = true;
  window.answerYes = false;
  for (const char* button :
       {"InitAll", "ClearSMS", "ClearGPRS1", "ClearGPRS2", "ClearGPSLog", "ClearCode"}) {
    click(button);
    EXPECT_EQ(port.frameCount(), 0u) << button;
  }
  EXPECT_EQ(window.questions.size(), 6u);
  EXPECT_NE(window.questions[0].find("factory defaults"), std::string::npos);
  window.answerYes = true;
  click("InitAll");
  deliver(AnswerFrame(0xE5, {0x01}));
  EXPECT_EQ(window.lastNotice(), "Default Completed!");
  EXPECT_EQ(state().activity, Activity::Reading) << "the window reads everything again";
  EXPECT_EQ(state().operation->id, OperationId::ReadAll);
}

TEST_F(EngineTest, IdentifyingEndsWithEveryOperation) {
  deliver(AnswerFrame(0x50, {0x01, 0x01}));
  ASSERT_EQ(state().activity, Activity::Identifying);
  deliver(AnswerFrame(0x50, {0x01, 0x01}));  // a second answer to the poll
  EXPECT_TRUE(window.notices.empty()) << "no spurious Read Error!";
  deliver(ReadAnswer(1, 16, TextBytes("860000000000001")));
  EXPECT_NE(state().activity, Activity::Identifying);
  click("GPRSRead");
  tick2(15);  // the read and its two retries
  EXPECT_EQ(window.lastNotice(), "Read Overtime!") << "a later time-out is never silent";
}

TEST_F(EngineTest, LostLinkEndsTheOperationNamingThePortAndWatchesForItsReturn) {
  engine.behaviour.reopenWhenBack = true;
  controls.setText("ComboBox1", "ttyUSB0");
  click("OpenPort");
  deliver(AnswerFrame(0x50, {0x01, 0x01, 0x00, 0x00, 0x00, 'F', ',', 'I', ',', 'S', ','}));
  deliver(ReadAnswer(1, 16, TextBytes("860000000000001")));
  click("ReadAll");
  port.presentNow = false;
  engine.guarded([&] { engine.Comm1RequestHangup(); });
  EXPECT_FALSE(port.isOpen);
  EXPECT_FALSE(engine.busy());
  EXPECT_EQ(window.panels[0], "Disconnect");
  EXPECT_EQ(controls.caption("OpenPort"), "Open");
  EXPECT_EQ(window.lastNotice(),
            "The connection to /dev/ttyUSB0 was lost. The operation did not complete.");
  EXPECT_FALSE(controls.enabled("ReadAll"));
  EXPECT_EQ(controls.text("IMEI"), "");
  tick2(3);
  EXPECT_FALSE(port.isOpen) << "not back yet";
  port.presentNow = true;
  tick2();
  EXPECT_TRUE(port.isOpen) << "reopened when it came back";
  EXPECT_EQ(state().AuthPollDelay, kAuthPollTicks);
}

}  // namespace
}  // namespace tracker
