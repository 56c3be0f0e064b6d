// Answers from the tracker: service commands, the write and read sequences,
// identification.

#include "engine_fixture.h"

namespace tracker {
namespace {

struct ServiceCase {
  const char* control;
  std::uint8_t command;
  std::uint8_t answer;
  const char* panel;
  const char* box;
  bool poll;
};

const ServiceCase kServices[] = {
    {"InitAll", 0xE5, 1, "Default OK", "Default Completed!", true},
    {"ClearSMS", 0xC0, 1, "Clear SMS Buffer OK", "Clear SMS Buffer Completed!", true},
    {"ClearGPRS1", 0xC1, 1, "Clear GPRS-1 Buffer OK", "Clear GPRS-1 Buffer Completed!", true},
    {"ClearGPRS2", 0xC2, 1, "Clear GPRS-2 Buffer OK", "Clear GPRS-2 Buffer Completed!", true},
    {"ClearGPSLog", 0xC3, 1, "Clear GPS Log OK", "Clear GPS Log Completed!", true},
    {"SetMileage", 0xC4, 1, "Set Mileaga OK", "Set Mileaga Completed!", true},
    {"SET_ID", 0xB0, 1, "Auth ID OK", "Auth ID Completed!", true},
    {"SET_ID", 0xB0, 2, "Auth ID Error", "Auth ID Error!", true},
    {"SET_ID", 0xB0, 4, "Under Authorization...", "Under Authorization...", true},
    {"DEL_ID", 0xB1, 1, "Delete ID OK", "Delete ID Completed!", true},
    {"DEL_ID", 0xB1, 2, "Delete ID Error", "Delete ID Error!", true},
    {"DEL_ID", 0xB1, 5, "Deleting ID...", "Deleting ID...", true},
    {"CHK_ID", 0xB2, 2, "Check ID Error", "Check ID Error!", true},
    {"CHK_ID", 0xB2, '1', "Check ID OK", "Check ID Completed!", true},
    {"Temp_Pair", 0xB5, 2, "Temperature Pairing Error", "Temperature Pairing Error!", false},
    {"Temp_Pair", 0xB5, 1, "Temperature Pairing OK", "Temperature Pairing Completed!", false},
    {"ClearCode", 0xE6, 1, "Clear Auth Code OK", "Clear Auth Code Completed!", false},
};

TEST_F(EngineTest, EveryServiceAnswerEndsItsOperation) {
  controls.setText("Temp_Index", "1");
  controls.setText("Temp_Name", "Cab");
  for (const ServiceCase& c : kServices) {
    SCOPED_TRACE(c.box);
    state() = EngineState{};
    click(c.control);
    const bool anyOther = c.command == 0xB2 || c.command == 0xB5;
    if (!anyOther) {
      deliver(AnswerFrame(c.command, {0x77}));
      EXPECT_TRUE(engine.busy()) << "another answer value is not acted upon";
    }
    deliver(AnswerFrame(c.command, {c.answer}));
    EXPECT_EQ(panel1(), c.panel);
    EXPECT_EQ(window.lastNotice(), c.box);
    EXPECT_FALSE(engine.busy());
    EXPECT_EQ(state().ReplyTimeout, 0);
    EXPECT_EQ(state().AuthPollDelay, c.poll ? kAuthPollTicks : 0);
  }
}

TEST_F(EngineTest, CheckIdFillsTheMemoWithTheAnswer) {
  controls.setText("RFID_Memo", "old");
  click("CHK_ID");
  window.onNotice = [&](std::string_view) { EXPECT_EQ(controls.text("RFID_Memo"), "1234"); };
  deliver(AnswerFrame(0xB2, TextBytes("1234")));
  EXPECT_EQ(window.lastNotice(), "Check ID Completed!");
}

TEST_F(EngineTest, WriteAllWalksEveryGroupInOrder) {
  click("WriteAll");
  std::vector<std::uint8_t> blocks;
  std::vector<std::string> panels;
  while (engine.busy() && blocks.size() < 20) {
    blocks.push_back(port.lastCommand() == 0xB6 ? 0xB6 : port.lastFrame().at(5));
    deliver(ackToLastWrite());
    panels.push_back(panel1());
  }
  EXPECT_EQ(blocks, (std::vector<std::uint8_t>{1, 2, 2, 2, 2, 0xB6, 3, 4, 5, 6}));
  EXPECT_EQ(panels.front(), "Write GPRS OK");
  EXPECT_EQ(panel1(), "Write All OK");
  EXPECT_EQ(window.notices, std::vector<std::string>{"Write All Completed!"});
  EXPECT_FALSE(engine.busy());
}

TEST_F(EngineTest, WriteAllEndsAfterEventsWhenDltIsHidden) {
  window.dltShown = false;
  click("WriteAll");
  int writes = 0;
  while (engine.busy() && writes < 20) {
    ++writes;
    deliver(ackToLastWrite());
  }
  EXPECT_EQ(writes, 9);
  EXPECT_EQ(window.lastNotice(), "Write All Completed!");
}

TEST_F(EngineTest, SingleGroupWritesStopAfterTheirGroup) {
  click("MainWrite");
  deliver(ackToLastWrite());
  EXPECT_EQ(port.lastFrame().at(5), 2);
  EXPECT_EQ(port.lastFrame().at(6), 0x01) << "range B follows range A";
  EXPECT_TRUE(window.notices.empty());
  deliver(ackToLastWrite());
  EXPECT_EQ(panel1(), "Write Main OK");
  EXPECT_EQ(window.lastNotice(), "Write Main Completed!");

  click("WIFI_Write");
  deliver(ackToLastWrite());
  EXPECT_EQ(window.lastNotice(), "Write WIFI Completed!");
}

TEST_F(EngineTest, WriteAcknowledgementForAnotherBlockIsIgnored) {
  click("GPRSWrite");
  deliver(AnswerFrame(0x58, {0x02, 0x01}));
  deliver(AnswerFrame(0x58, {0x01, 0x00}));
  EXPECT_EQ(state().activity, Activity::Writing);
  EXPECT_TRUE(window.notices.empty());
}

TEST_F(EngineTest, AnAnswerToAnotherRequestIsIgnoredUntilTheTimeOut) {
  click("GPRSWrite");
  deliver(AnswerFrame(0x59, {0x01, 0x00}));  // a read answer
  deliver(AnswerFrame(0x58, {0x02, 0x01}));  // block 2 acknowledged, block 1 was written
  deliver(AnswerFrame(0x50, {0x01, 0x01}));  // a late authorisation answer
  EXPECT_EQ(state().activity, Activity::Writing);
  EXPECT_TRUE(window.notices.empty());
  tick2(5);
  EXPECT_EQ(panel1(), "Write GPRS: retry 1") << "no acknowledgement of block 1 arrived";
  tick2(5);
  EXPECT_EQ(window.lastNotice(), "Write Overtime!");
}

TEST_F(EngineTest, ReadAllWalksEveryGroupInOrder) {
  click("ReadAll");
  std::vector<std::uint8_t> commands;
  while (engine.busy() && commands.size() < 20) {
    commands.push_back(port.lastCommand() == 0xB7 ? 0xB7 : port.lastFrame().at(5));
    deliver(answerToLastRead());
  }
  EXPECT_EQ(commands, (std::vector<std::uint8_t>{1, 2, 2, 2, 2, 0xB7, 0xB7, 3, 4, 5, 6}));
  EXPECT_EQ(panel1(), "Read All OK");
  EXPECT_EQ(window.notices, std::vector<std::string>{"Read All Completed!"});
}

TEST_F(EngineTest, ReadAllAnswerForAnotherBlockIsIgnoredUntilTimeout) {
  click("ReadAll");
  deliver(ReadAnswer(2, 16, Bytes(255, 0)));
  EXPECT_EQ(state().step, 0u);
  tick2(15);  // the first request and its two retries
  EXPECT_EQ(window.lastNotice(), "Read Overtime!");
  EXPECT_FALSE(engine.busy());
}

TEST_F(EngineTest, WifiStepSkippedInsideTheAllSequencesIsNamedAtTheEnd) {
  click("WriteAll");
  for (int i = 0; i < 5; ++i) deliver(ackToLastWrite());
  ASSERT_EQ(state().current().command, CmdWriteWifi);
  EXPECT_EQ(state().ReplyTimeout, 3);
  tick2(3);
  EXPECT_TRUE(window.notices.empty());
  EXPECT_EQ(state().activity, Activity::Writing);
  EXPECT_EQ(state().current().group, Group::Sms);
  EXPECT_EQ(port.lastFrame().at(5), 3) << "the Auth write follows";
  while (engine.busy()) deliver(ackToLastWrite());
  EXPECT_EQ(window.notices,
            std::vector<std::string>{
                "Write All Completed, but the WiFi list was not written (no answer)."});
  window.notices.clear();

  click("ReadAll");
  for (int i = 0; i < 5; ++i) deliver(answerToLastRead());
  ASSERT_EQ(state().current().command, CmdReadWifi);
  EXPECT_EQ(state().ReplyTimeout, 2);
  deliver(answerToLastRead());
  EXPECT_EQ(state().ReplyTimeout, 3) << "the second half waits three ticks";
  tick2(3);
  EXPECT_TRUE(window.notices.empty());
  EXPECT_EQ(state().current().group, Group::Sms);
  EXPECT_EQ(port.lastFrame(), AnswerFrame(0x59, {0x03, 0x00, 0x00, 0x00, 0x74}));
  EXPECT_EQ(window.tabNotes["TabSheet10"], "not read from this tracker");
  while (engine.busy()) deliver(answerToLastRead());
  EXPECT_EQ(window.lastNotice(), "Read All Completed, but the WiFi list was not read (no answer).");

  // Firmware without WiFi answers empty: the same as no answer, at once.
  click("ReadAll");
  for (int i = 0; i < 5; ++i) deliver(answerToLastRead());
  deliver(AnswerFrame(0xB7, {}));
  EXPECT_EQ(state().current().group, Group::Sms);
  while (engine.busy()) deliver(answerToLastRead());
  EXPECT_EQ(window.lastNotice(), "Read All Completed, but the WiFi list was not read (no answer).");
}

TEST_F(EngineTest, AuthorisationAnswerDecodesAndReadsTheIdentifier) {
  Bytes payload{0x01, 0x01, 0x00, 0x00, 0x00};
  for (const char c : std::string_view("FW-Larch,861234,SN77,")) payload.push_back(c);
  payload.resize(payload.size() + 38, 0x00);
  deliver(AnswerFrame(0x50, payload));
  EXPECT_EQ(controls.text("Firmware"), "FW-Larch");
  EXPECT_EQ(window.panels[0], "Connected");
  EXPECT_EQ(port.lastFrame(), AnswerFrame(0x59, {0x01, 0x00, 0x10, 0x00, 0x0F}));
  EXPECT_EQ(state().activity, Activity::Identifying);
  EXPECT_EQ(state().activity, Activity::Identifying);

  Bytes id = TextBytes("356000000000001");
  deliver(ReadAnswer(1, 16, id));
  EXPECT_EQ(controls.text("DeviceID"), "356000000000001");
  EXPECT_NE(state().activity, Activity::Identifying);
  EXPECT_FALSE(engine.busy());
  EXPECT_TRUE(window.notices.empty());
}

TEST_F(EngineTest, RefusedCodeDecodesTheInformationAndStops) {
  state().AuthPollDelay = 7;
  Bytes payload{0x01, 0x00, 0x00, 0x00, 0x00};
  for (const char c : std::string_view("FW-Birch,1,2,")) payload.push_back(c);
  payload.resize(payload.size() + 40, 0x00);
  deliver(AnswerFrame(0x50, payload));
  EXPECT_EQ(window.notices,
            std::vector<std::string>{"Auth Code Error!\nType the tracker's code into \"Auth "
                                     "Code\": it is tried at once."});
  EXPECT_EQ(controls.text("Firmware"), "FW-Birch");
  EXPECT_EQ(state().AuthPollDelay, 0);
  EXPECT_EQ(port.frameCount(), 0u) << "nothing more is asked of a tracker that refused";
  EXPECT_EQ(window.panels[0], "Auth Code Error");
  EXPECT_FALSE(engine.identified());
}

TEST_F(EngineTest, IdentifierStopsAtTheFirstNonDigit) {
  for (const auto& [data, id] :
       {std::pair{Bytes{'3', '5', '6', 'X', '7'}, "356"}, std::pair{Bytes{'A', '1'}, ""}}) {
    state() = EngineState{};
    deliver(AnswerFrame(0x50, {0x01, 0x01}));
    ASSERT_EQ(state().activity, Activity::Identifying);
    deliver(ReadAnswerEchoing(1, 16, 15, data));
    EXPECT_EQ(controls.text("DeviceID"), id);
  }
}

TEST_F(EngineTest, FramesWhileIdleChangeNothing) {
  window.panels[0] = "Disconnect";
  deliver(AnswerFrame(0xE5, {0x01}));
  EXPECT_EQ(window.panels[0], "Disconnect") << "connected means identified";
  EXPECT_EQ(port.frameCount(), 0u);
  EXPECT_TRUE(window.notices.empty());
}

}  // namespace
}  // namespace tracker
