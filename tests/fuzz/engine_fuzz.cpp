// The engine driven by the input: button presses, timer ticks and deliveries
// (whole, cut anywhere, behind noise, broken, raw) in every state. However it
// went, enough Timer2 ticks bring every operation back to idle.

#include <string_view>

#include "engine/engine.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/snapshot.h"
#include "support/answer_frames.h"
#include "support/recording_port.h"
#include "support/recording_window.h"
#include "ui/memory_controls.h"

namespace tracker::fuzz {
namespace {

constexpr std::string_view kButtons[] = {
    "ReadAll",    "WriteAll",   "InitAll",       "ClearCode",      "GPRSRead",  "GPRSWrite",
    "SMSRead",    "SMSWrite",   "GEOFenceRead",  "GEOFenceWrite",  "MainRead",  "MainWrite",
    "EventRead",  "EventWrite", "InterfaceRead", "InterfaceWrite", "Temp_Read", "Temp_Write",
    "Temp_Pair",  "WIFI_Read",  "WIFI_Write",    "DLTRead",        "DLTWrite",  "SET_ID",
    "DEL_ID",     "CHK_ID",     "ClearGPRS1",    "ClearGPRS2",     "ClearSMS",  "ClearGPSLog",
    "SetMileage", "OpenPort",
};

// Enough for the longest chain of time-outs and retries (Write All without
// any answer) with room to spare.
constexpr int kSettleTicks = 400;

Bytes Fill(InputReader& input, std::size_t size) {
  const auto taken = input.take(size);
  Bytes bytes(taken.begin(), taken.end());
  bytes.resize(size, 0x00);
  return bytes;
}

// Answer data from one input byte, so that a short input can drive a long
// session: zeros for 0, else a simple generator's bytes.
Bytes Pattern(std::uint8_t seed, std::size_t size) {
  Bytes bytes(size, 0x00);
  std::uint32_t state = seed;
  for (std::uint8_t& b : bytes) {
    if (seed == 0) break;
    state = state * 1103515245u + 12345u;
    b = static_cast<std::uint8_t>(state >> 16);
  }
  return bytes;
}

// The data of an answer: sometimes short (its size then the shape byte), the
// bytes from the next input byte.
Bytes AnswerData(InputReader& input, std::size_t full) {
  const std::uint8_t shape = input.byte();
  const std::size_t size = shape < 16 ? shape : full;
  return Pattern(input.byte(), size);
}

// An answer shaped after the last request, its contents from the input.
Bytes AnswerToLastRequest(const RecordingPort& port, InputReader& input) {
  if (port.frameCount() == 0) return AnswerFrame(0x50, AnswerData(input, 64));
  const Bytes& request = port.lastFrame();
  const std::uint8_t command = request.at(4);
  switch (command) {
    case 0x59: {
      const std::uint16_t offset = static_cast<std::uint16_t>(request.at(6) << 8 | request.at(7));
      const std::size_t length = static_cast<std::size_t>(request.at(8) << 8 | request.at(9));
      return ReadAnswer(request.at(5), offset, AnswerData(input, length));
    }
    case 0x58:
      return AnswerFrame(0x58, {request.at(5), static_cast<std::uint8_t>(input.byte() % 3)});
    case 0xB7:
      return AnswerFrame(0xB7, AnswerData(input, 1024));
    case 0x50:
      return AnswerFrame(0x50, AnswerData(input, 64));
    default:
      return AnswerFrame(command, {static_cast<std::uint8_t>(input.byte() % 6)});
  }
}

class Session {
 public:
  explicit Session(InputReader& input) : input_(input) {
    window_.dltShown = (input.byte() & 1) != 0;
    window_.answerYes = (input.byte() & 1) != 0;
    if ((input.byte() & 1) != 0) {
      // A box that lets the toolkit run a tick before the handler goes on.
      window_.onNotice = [this](std::string_view) {
        engine_.guarded([this] { engine_.Timer2Timer(); });
      };
    }
  }

  void step() {
    switch (input_.byte() % 9) {
      case 0:
        engine_.click(kButtons[input_.byte() % std::size(kButtons)]);
        return;
      case 1:
        for (int i = input_.byte() % 60; i >= 0; --i) guarded(&Engine::Timer1Timer);
        return;
      case 2:
        for (int i = input_.byte() % 8; i >= 0; --i) guarded(&Engine::Timer2Timer);
        return;
      case 3:
        deliver(AnswerToLastRequest(port_, input_));
        return;
      case 4:
        deliverCut(AnswerToLastRequest(port_, input_));
        return;
      case 5: {
        Bytes line = Fill(input_, input_.byte() % 8);
        const Bytes answer = AnswerToLastRequest(port_, input_);
        line.insert(line.end(), answer.begin(), answer.end());
        deliverCut(line);
        return;
      }
      case 6: {
        Bytes broken = AnswerToLastRequest(port_, input_);
        broken[4 + input_.byte() % (broken.size() - 4)] ^= 0x01;
        deliver(broken);
        return;
      }
      case 7:
        deliver(Fill(input_, input_.byte()));
        return;
      default:
        setField();
        return;
    }
  }

  void checkSettles() {
    for (int i = 0; i < kSettleTicks && engine_.busy(); ++i) guarded(&Engine::Timer2Timer);
    FUZZ_CHECK(!engine_.busy());
    FUZZ_CHECK(engine_.state().ReplyTimeout == 0);
  }

 private:
  void guarded(void (Engine::*handler)()) {
    engine_.guarded([&] { (engine_.*handler)(); });
  }
  void deliver(const Bytes& bytes) {
    engine_.guarded([&] { engine_.Comm1ReceiveData(bytes); });
  }
  void deliverCut(const Bytes& bytes) {
    const std::size_t at = bytes.empty() ? 0 : input_.u16() % bytes.size();
    deliver(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(at)));
    deliver(Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end()));
  }
  // A field the writes encode, set to text that may or may not convert.
  void setField() {
    static constexpr std::string_view kFields[] = {"APN",       "Mileage",    "Temp_Index",
                                                   "Temp_Name", "AlarmTime7", "HeartBeatTM",
                                                   "RFID_Memo", "AuthCode"};
    const std::string_view field = kFields[input_.byte() % std::size(kFields)];
    const auto text = input_.take(input_.byte() % 12);
    controls_.setText(field, std::string(text.begin(), text.end()));
  }

  InputReader& input_;
  MemoryControls controls_ = FreshWindow();
  RecordingWindow window_;
  RecordingPort port_;
  Engine engine_{controls_, window_, port_};
};

}  // namespace

int FuzzOne(InputReader& input) {
  Session session(input);
  while (!input.empty()) session.step();
  session.checkSettles();
  return 0;
}

}  // namespace tracker::fuzz
