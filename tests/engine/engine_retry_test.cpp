// Retries: reads are asked again on a broken answer or a time-out, a write is
// resent once only when nothing acknowledged it, service commands never.

#include "engine_fixture.h"

namespace tracker {
namespace {

Bytes WithBadCrc(Bytes frame) {
  frame.back() ^= 0xFF;
  return frame;
}

TEST_F(EngineTest, ABrokenReadAnswerIsAskedAgainAtOnceTwiceAtMost) {
  click("GEOFenceRead");
  const Bytes request = port.lastFrame();
  const Bytes answer = answerToLastRead();
  deliver(WithBadCrc(answer));
  EXPECT_EQ(panel1(), "Read GEO: retry 1");
  EXPECT_EQ(state().ReplyTimeout, 5);
  deliver(WithBadCrc(answer));
  EXPECT_EQ(panel1(), "Read GEO: retry 2");
  EXPECT_EQ(port.link.frames, (std::vector<Bytes>{request, request, request}));
  deliver(WithBadCrc(answer));
  EXPECT_EQ(port.frameCount(), 3u);
  EXPECT_EQ(window.notices, std::vector<std::string>{"Read Error!"});
  EXPECT_FALSE(engine.busy());
}

TEST_F(EngineTest, ARetriedReadGoesOnWithTheReadAll) {
  click("ReadAll");
  int answers = 0;
  while (engine.busy() && answers < 40) {
    const Bytes answer = answerToLastRead();
    deliver(++answers % 4 == 0 ? WithBadCrc(answer) : answer);  // every fourth one broken
  }
  EXPECT_EQ(window.notices, std::vector<std::string>{"Read All Completed!"});
  EXPECT_EQ(port.frameCount(), 14u) << "11 steps and three of them asked again";
}

TEST_F(EngineTest, ATimedOutReadAnswerStillArrivingIsTakenAfterTheRetry) {
  click("GPRSRead");
  const Bytes answer = answerToLastRead();
  deliver(Bytes(answer.begin(), answer.begin() + 100));
  tick2(5);
  EXPECT_EQ(panel1(), "Read GPRS: retry 1");
  deliver(Bytes(answer.begin() + 100, answer.end()));
  EXPECT_EQ(window.lastNotice(), "Read GPRS Completed!") << "the retry asked the same";
}

TEST_F(EngineTest, ABrokenIdentifierIsAskedAgainSilently) {
  deliver(AnswerFrame(0x50, {0x01, 0x01}));
  const Bytes request = port.lastFrame();
  deliver(WithBadCrc(ReadAnswer(1, 16, TextBytes("356000000000001"))));
  EXPECT_EQ(port.link.frames, (std::vector<Bytes>{request, request}));
  deliver(ReadAnswer(1, 16, TextBytes("356000000000001")));
  EXPECT_EQ(controls.text("DeviceID"), "356000000000001");
  EXPECT_TRUE(window.notices.empty());
  EXPECT_EQ(panel1().find("retry"), std::string::npos);
}

TEST_F(EngineTest, AWriteIsResentOnceOnlyWhenNothingAcknowledgedIt) {
  click("GEOFenceWrite");
  const Bytes write = port.lastFrame();
  tick2(5);
  EXPECT_EQ(panel1(), "Write GEO: retry 1");
  EXPECT_EQ(port.link.frames, (std::vector<Bytes>{write, write}));
  deliver(WithBadCrc(ackToLastWrite()));  // a broken acknowledgement is none
  tick2(5);
  EXPECT_EQ(port.frameCount(), 2u);
  EXPECT_EQ(window.notices, std::vector<std::string>{"Write Overtime!"});

  window.notices.clear();
  click("GEOFenceWrite");
  deliver(AnswerFrame(0x58, {0x04, 0x00}));  // refused: the tracker did answer
  tick2(5);
  EXPECT_EQ(port.frameCount(), 3u);
  EXPECT_EQ(window.notices, std::vector<std::string>{"Write Overtime!"});
}

TEST_F(EngineTest, AResentWriteGoesOnWithTheWriteAll) {
  click("WriteAll");
  tick2(5);  // the GPRS write's acknowledgement was lost
  EXPECT_EQ(panel1(), "Write GPRS: retry 1");
  for (int i = 0; i < 20 && engine.busy(); ++i) deliver(ackToLastWrite());
  EXPECT_EQ(window.notices, std::vector<std::string>{"Write All Completed!"});
}

TEST_F(EngineTest, ServiceCommandsAreNeverRetried) {
  for (const char* button : {"InitAll", "ClearSMS", "SetMileage", "CHK_ID", "Temp_Pair"}) {
    SCOPED_TRACE(button);
    controls.setText("Mileage", "100");
    controls.setText("Temp_Index", "1");
    controls.setText("Temp_Name", "Rear");
    const std::size_t sent = port.frameCount();
    click(button);
    const Bytes request = port.lastFrame();
    deliver(WithBadCrc(AnswerFrame(request.at(4), {0x01})));
    for (int i = 0; i < 10; ++i) tick2();
    EXPECT_EQ(port.frameCount(), sent + 1);
    EXPECT_FALSE(engine.busy());
    EXPECT_NE(window.lastNotice().find("Overtime!"), std::string::npos);
  }
}

}  // namespace
}  // namespace tracker
