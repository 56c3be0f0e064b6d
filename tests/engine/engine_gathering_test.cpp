// Frame finding over gathered bytes: an answer is found wherever the line cut
// it and whatever noise, false starts or broken frames come before it.

#include <functional>

#include "engine_fixture.h"

namespace tracker {
namespace {

using Pieces = std::vector<Bytes>;

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t to = std::string::npos) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(std::min(to, bytes.size())));
}

Bytes WithBadCrc(Bytes frame) {
  frame.back() ^= 0xFF;
  return frame;
}

struct GatherCase {
  const char* name;
  std::function<Pieces(const Bytes& answer)> pieces;
};

const GatherCase kGatherCases[] = {
    {"cut between 5A and A5",
     [](const Bytes& a) {
       return Pieces{Slice(a, 0, 1), Slice(a, 1)};
     }},
    {"cut inside the length",
     [](const Bytes& a) {
       return Pieces{Slice(a, 0, 3), Slice(a, 3)};
     }},
    {"cut before the CRC's last byte",
     [](const Bytes& a) {
       return Pieces{Slice(a, 0, a.size() - 1), Slice(a, a.size() - 1)};
     }},
    {"one byte a delivery",
     [](const Bytes& a) {
       Pieces p;
       for (const std::uint8_t b : a) p.push_back({b});
       return p;
     }},
    {"noise and a lone 5A before it",
     [](const Bytes& a) {
       return Pieces{TextBytes("xy\x5A"), Join({{0x5A, 0x00}, a})};
     }},
    {"false frame start too long for the buffer",
     [](const Bytes& a) {
       return Pieces{Join({{0x5A, 0xA5, 0xFF, 0xF0}, a})};
     }},
    {"unfinished false start around the whole answer",
     [](const Bytes& a) {
       return Pieces{Join({{0x5A, 0xA5, 0x08, 0x00, 0x59}, a})};
     }},
    {"broken frame of the same command before it",
     [](const Bytes& a) {
       return Pieces{Join({WithBadCrc(a), a})};
     }},
    {"answer to another read before it",
     [](const Bytes& a) {
       return Pieces{Join({ReadAnswer(2, 0, Bytes(8, 0)), a})};
     }},
    {"false start, then the answer cut after byte 3",
     [](const Bytes& a) {
       return Pieces{Join({{0x5A, 0xA5, 0xFF, 0xF0}, Slice(a, 0, 3)}), Slice(a, 3)};
     }},
};

TEST(EngineGathering, TheAnswerIsFoundHoweverItArrives) {
  for (const GatherCase& c : kGatherCases) {
    SCOPED_TRACE(c.name);
    MemoryControls controls;
    RecordingWindow window;
    RecordingPort port;
    Engine engine{controls, window, port};
    controls.setText("APN", "old");
    engine.click("GPRSRead");
    Bytes data(255, 0x00);
    data[16] = 'n';  // the APN "new", at block offset 32
    data[17] = 'e';
    data[18] = 'w';
    for (const Bytes& piece : c.pieces(ReadAnswer(1, 16, data))) {
      engine.guarded([&] { engine.Comm1ReceiveData(piece); });
    }
    EXPECT_EQ(window.notices, std::vector<std::string>{"Read GPRS Completed!"});
    EXPECT_EQ(controls.text("APN"), "new");
    EXPECT_EQ(port.frameCount(), 1u) << "nothing was asked again";
    EXPECT_EQ(engine.gathered().size(), 0u) << "nothing is left that could be a frame";
  }
}

TEST_F(EngineTest, OnlyBytesThatMayStillBeginAFrameAreKept) {
  const auto kept = [&] {
    const auto bytes = engine.gathered();
    return Bytes(bytes.begin(), bytes.end());
  };
  click("GPRSRead");
  deliver(TextBytes("line noise"));
  EXPECT_TRUE(kept().empty());
  deliver(Join({TextBytes("noise"), {0x5A}}));
  EXPECT_EQ(kept(), (Bytes{0x5A})) << "a trailing 5A";
  deliver({0xA5, 0x01});
  EXPECT_EQ(kept(), (Bytes{0x5A, 0xA5, 0x01})) << "a header still arriving";
  deliver({0x05, 0x59, 0x01});
  EXPECT_EQ(engine.gathered().size(), 6u) << "a frame not yet whole";
  deliver({0x5A, 0x5A, 0xA5, 0xFF, 0xF0});
  EXPECT_EQ(engine.gathered().size(), 11u) << "a header too long for the buffer is skipped";
  EXPECT_EQ(state().activity, Activity::Reading);
}

TEST_F(EngineTest, ARepeatedPollKeepsTheAuthorisationAnswerArrivingInPieces) {
  controls.setText("ComboBox1", "ttyUSB0");
  click("OpenPort");
  tick1(kAuthPollTicks);
  Bytes payload{0x01, 0x01, 0x00, 0x00, 0x00};
  for (const char c : std::string_view("FW-Larch,861234,SN77,")) payload.push_back(c);
  payload.resize(payload.size() + 38, 0x00);
  const Bytes answer = AnswerFrame(0x50, payload);
  deliver(Slice(answer, 0, 20));
  tick1(kAuthPollTicks);  // the next poll goes out while the answer arrives
  EXPECT_EQ(port.frameCount(), 2u);
  deliver(Slice(answer, 20, 40));
  tick1(kAuthPollTicks);
  deliver(Slice(answer, 40));
  EXPECT_EQ(controls.text("Firmware"), "FW-Larch");
  EXPECT_EQ(state().activity, Activity::Identifying);
  EXPECT_EQ(port.lastFrame(), AnswerFrame(0x59, {0x01, 0x00, 0x10, 0x00, 0x0F}));
}

TEST_F(EngineTest, ADeliveryLargerThanTheRoomLeftIsTakenInParts) {
  click("EventRead");
  // A false start announcing nearly a whole buffer keeps everything after it
  // until its frame is complete; the answer behind it is still found.
  const Bytes answer = ReadAnswer(5, 0, Bytes(4096, 0x00));
  Bytes line = {0x5A, 0xA5, 0x9F, 0xF0};
  line.resize(40000, 0x00);
  for (std::size_t at = 0; at < line.size(); at += 2048) deliver(Slice(line, at, at + 2048));
  deliver(Join({answer, answer}));
  EXPECT_EQ(window.lastNotice(), "Read Event Completed!");
}

TEST_F(EngineTest, AnswersAreReadOnlyInsideTheirFrame) {
  // A one-byte identifier, then nothing: no byte past the frame is taken.
  deliver(AnswerFrame(0x50, {0x01, 0x01}));
  deliver(ReadAnswerEchoing(1, 16, 15, TextBytes("7")));
  EXPECT_EQ(controls.text("DeviceID"), "7");

  // A frame that ends at the buffer's last byte, behind a false start that
  // kept everything before it.
  click("ClearSMS");
  const Bytes answer = AnswerFrame(0xC0, {0x01});
  Bytes line = {0x5A, 0xA5, 0x9F, 0xF9};
  line.resize(kBufferSize - answer.size(), 0x00);
  line.insert(line.end(), answer.begin(), answer.end());
  for (std::size_t at = 0; at < line.size(); at += 2048) deliver(Slice(line, at, at + 2048));
  EXPECT_EQ(window.lastNotice(), "Clear SMS Buffer Completed!");
}

}  // namespace
}  // namespace tracker
