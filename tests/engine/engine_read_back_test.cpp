// Read-back verification in the engine: the written groups are read again
// into scratch controls, and every way the read-back can end names itself.

#include "engine_fixture.h"

namespace tracker {
namespace {

class ReadBackTest : public EngineTest {
 protected:
  // Writes Main (two ranges), keeping the data bytes of each write frame.
  void writeMain() {
    engine.setVerifyAfterWriting(true);
    controls.setText("TowTM", "30");
    click("MainWrite");
    for (int range = 0; range < 2; ++range) {
      const Bytes& f = port.lastFrame();
      written.emplace_back(f.begin() + 10, f.end() - 2);  // after frame and block headers
      deliver(ackToLastWrite());
    }
  }
  // Answers the read request in flight with the data written for its range.
  void answerWith(const Bytes& data) {
    const Bytes& f = port.lastFrame();
    ASSERT_EQ(f.at(4), 0x59);
    deliver(ReadAnswer(f.at(5), static_cast<std::uint16_t>(f.at(6) << 8 | f.at(7)), data));
  }
  std::vector<Bytes> written;
};

constexpr std::size_t kTowTimeOffset = 13;  // in range A of block 2

TEST_F(ReadBackTest, WhatTheTrackerKeptIsVerifiedAndWhatItDidNotIsNamed) {
  struct Case {
    bool forget;
    std::vector<std::string> notices;
    const char* panel;
  };
  for (const Case& c : {
           Case{false, {"Write Main Completed!\nVerified"}, "Verified"},
           Case{true,
                {"Write Main Completed!\nVerify failed:\nMain \u203A Tow Time: sent 30, tracker "
                 "holds 0"},
                "Verify Error"},
       }) {
    window.notices.clear();
    written.clear();
    writeMain();
    EXPECT_EQ(panel1(), "Verifying...");
    EXPECT_TRUE(engine.verifying());
    Bytes rangeA = written.at(0);
    if (c.forget) rangeA.at(kTowTimeOffset) = 0;
    answerWith(rangeA);
    answerWith(written.at(1));
    EXPECT_EQ(window.notices, c.notices);
    EXPECT_EQ(panel1(), c.panel);
    EXPECT_EQ(engine.lastVerification().failed(), c.forget);
    EXPECT_EQ(controls.text("TowTM"), "30") << "the read-back leaves the window alone";
    EXPECT_FALSE(engine.busy());
  }
}

TEST_F(ReadBackTest, AReadBackCutShortSaysTheWriteIsNotVerified) {
  writeMain();
  deliver(ReadAnswerEchoing(2, 0, 34, Bytes(3, 0)));  // too short for range A
  EXPECT_EQ(window.lastNotice(), "Write Main Completed!\nNot verified: Read Error!");
  EXPECT_TRUE(engine.lastVerification().failed());

  window.notices.clear();
  written.clear();
  writeMain();
  tick2(15);  // the read-back and its two retries
  EXPECT_EQ(window.notices,
            (std::vector<std::string>{"Read Overtime!",
                                      "Write Main Completed!\nNot verified: the read-back did not "
                                      "complete."}));
  EXPECT_TRUE(engine.lastVerification().incomplete);
  EXPECT_FALSE(engine.busy());
}

TEST_F(ReadBackTest, WithoutVerificationTheWriteEndsAtItsAcknowledgement) {
  engine.setVerifyAfterWriting(false);
  click("GPRSWrite");
  deliver(ackToLastWrite());
  EXPECT_EQ(window.notices, std::vector<std::string>{"Write GPRS Completed!"});
  EXPECT_EQ(port.frameCount(), 1u);
  EXPECT_FALSE(engine.lastVerification().ran);
}

}  // namespace
}  // namespace tracker
