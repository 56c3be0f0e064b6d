// How deliveries become frames: gathering, stray text, several frames; and the
// mends that keep a bad field or a short answer from doing harm.

#include "engine_fixture.h"

namespace tracker {
namespace {

TEST_F(EngineTest, ModelTextReArmsThePollButFiveBytesDoNot) {
  deliver(TextBytes("Model"));
  EXPECT_EQ(state().AuthPollDelay, 0);
  deliver(TextBytes("Model: Larch\r\n"));
  EXPECT_EQ(state().AuthPollDelay, kAuthPollTicks);
  tick1(kAuthPollTicks);
  EXPECT_EQ(port.lastCommand(), 0x50);
}

TEST_F(EngineTest, EveryFrameOfADeliveryIsTriedUntilOneAnswers) {
  click("ClearSMS");
  Bytes two = AnswerFrame(0xE5, {0x01});  // a late answer to something else
  const Bytes sms = AnswerFrame(0xC0, {0x01});
  two.insert(two.end(), sms.begin(), sms.end());
  deliver(two);
  EXPECT_EQ(window.lastNotice(), "Clear SMS Buffer Completed!");
}

TEST_F(EngineTest, LongAnswerIsGatheredAcrossDeliveries) {
  click("EventRead");
  Bytes data(4096, 0x00);
  const std::string name = "Night alarm";
  std::copy(name.begin(), name.end(), data.begin());
  data[16] = 0x03;  // both GPRS checks of row 0
  const Bytes answer = ReadAnswer(5, 0, data);
  ASSERT_EQ(answer.size(), 4108u);
  deliver(Bytes(answer.begin(), answer.begin() + 2048));
  EXPECT_EQ(state().activity, Activity::Reading);
  deliver(Bytes(answer.begin() + 2048, answer.begin() + 4000));
  deliver(Bytes(answer.begin() + 4000, answer.end()));
  EXPECT_EQ(controls.text("IntervalName"), name);
  EXPECT_EQ(window.lastNotice(), "Read Event Completed!");
}

TEST_F(EngineTest, NoiseInsideAGatheredAnswerBreaksItAndTheReadIsAskedAgain) {
  click("EventRead");
  const Bytes answer = ReadAnswer(5, 0, Bytes(4096, 0x00));
  deliver(Bytes(answer.begin(), answer.begin() + 2048));
  deliver(TextBytes("noise"));
  EXPECT_EQ(port.frameCount(), 1u) << "the noise may still be part of the frame";
  deliver(Bytes(answer.begin() + 2048, answer.end()));
  EXPECT_EQ(port.frameCount(), 2u) << "the completed frame fails its CRC: asked again at once";
  EXPECT_EQ(panel1(), "Read Event: retry 1");
  deliver(answer);
  EXPECT_EQ(window.lastNotice(), "Read Event Completed!");
}

TEST_F(EngineTest, NewRequestDropsAHalfGatheredAnswer) {
  click("EventRead");
  const Bytes answer = ReadAnswer(5, 0, Bytes(4096, 0x00));
  deliver(Bytes(answer.begin(), answer.begin() + 2048));
  tick2(15);  // the read and its two retries end
  click("ClearSMS");
  deliver(AnswerFrame(0xC0, {0x01}));
  EXPECT_EQ(window.lastNotice(), "Clear SMS Buffer Completed!");
}

TEST_F(EngineTest, ShortAnswerIsAReadErrorAndChangesNothing) {
  controls.setText("APN", "keep.me");
  click("GPRSRead");
  deliver(ReadAnswerEchoing(1, 16, 255, Bytes(40, 0x00)));
  EXPECT_EQ(controls.text("APN"), "keep.me");
  EXPECT_EQ(panel1(), "Read Error!");
  EXPECT_EQ(window.lastNotice(), "Read Error!");
  EXPECT_FALSE(engine.busy());

  click("WIFI_Read");
  deliver(AnswerFrame(0xB7, Bytes(1000, 0x00)));
  EXPECT_EQ(window.lastNotice(), "Read Overtime!") << "a short WiFi list counts as no answer";
}

TEST_F(EngineTest, AReadTakesOnlyAnAnswerEchoingItsRequest) {
  click("ReadAll");
  deliver(AnswerFrame(0x58, {0x01, 0x01}));                  // another command
  deliver(ReadAnswer(1, 32, Bytes(255, 0x00)));              // another offset
  deliver(ReadAnswerEchoing(1, 16, 254, Bytes(254, 0x00)));  // another length
  EXPECT_EQ(state().activity, Activity::Reading);
  EXPECT_EQ(state().step, 0u);
  EXPECT_TRUE(window.notices.empty());
}

TEST_F(EngineTest, WriteAllWithABadFieldSendsNothing) {
  controls.setText("AlarmTime7", "7:3O");  // a letter O in place of a zero
  click("WriteAll");
  EXPECT_EQ(port.frameCount(), 0u);
  ASSERT_EQ(window.errors.size(), 1u);
  EXPECT_EQ(window.errors[0], "AlarmTime7: '7:3O' is not a time; the range is 00:00–1092:14");
  EXPECT_FALSE(engine.busy());

  click("MainWrite");
  EXPECT_EQ(port.frameCount(), 0u) << "range B is checked before range A goes out";
}

TEST_F(EngineTest, WriteAllSendsWhatTheWindowHeldWhenPressed) {
  controls.setText("APN", "first.apn");
  click("WriteAll");
  controls.setText("Password", "9999");
  controls.setText("HeartBeatTM", "not a number");
  for (int i = 0; i < 20 && engine.busy(); ++i) deliver(ackToLastWrite());
  EXPECT_EQ(window.lastNotice(), "Write All Completed!");
  EXPECT_TRUE(window.errors.empty());
}

TEST_F(EngineTest, BoxesAppearOnlyAfterTheStateIsComplete) {
  click("GPRSRead");
  window.onNotice = [&](std::string_view) {
    EXPECT_FALSE(engine.busy());
    EXPECT_EQ(state().ReplyTimeout, 0);
    // A tick or delivery inside the box finds nothing half-done.
    engine.guarded([&] { engine.Timer2Timer(); });
  };
  deliver(answerToLastRead());
  EXPECT_EQ(window.lastNotice(), "Read GPRS Completed!");
}

TEST_F(EngineTest, ClosingThePortDuringAReadAsksAndAbandonsIt) {
  controls.setText("ComboBox1", "ttyUSB0");
  click("OpenPort");
  click("GPRSRead");
  window.answerYes = false;
  click("OpenPort");
  EXPECT_TRUE(port.isOpen);
  EXPECT_EQ(state().activity, Activity::Reading);
  window.answerYes = true;
  click("OpenPort");
  EXPECT_FALSE(port.isOpen);
  EXPECT_EQ(window.questions.size(), 2u);
  EXPECT_FALSE(engine.busy());
  tick2(5);
  EXPECT_TRUE(window.notices.empty());
}

}  // namespace
}  // namespace tracker
