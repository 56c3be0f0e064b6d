// Each operation of the operation table, its requests answered as the input
// says: rightly, with a broken CRC, refused, short, not at all, cut in two or
// behind a stale answer. Every operation ends: a read is sent at most three
// times and a write at most twice in a row, a WiFi step inside Read All or
// Write All never again after silence; answered rightly throughout (stale answers aside) it
// completes; with only its WiFi steps unanswered it completes naming the list.

#include <cstdio>
#include <string>

#include "engine/engine.h"
#include "engine/engine_services.h"
#include "engine/operation_table.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/snapshot.h"
#include "protocol/commands.h"
#include "support/answer_frames.h"
#include "support/recording_port.h"
#include "support/recording_window.h"

namespace tracker::fuzz {
namespace {

constexpr int kMaxAnswers = 400;
constexpr int kSettleTicks = 400;
// Verification after writing reads every written group back and compares all
// of it; it runs for one input in kVerifyEvery of those that ask for it.
constexpr std::uint32_t kVerifyEvery = 4;

// FNV-1a of the input's bytes: which inputs verify, so that a finding replays.
std::uint32_t HashOf(InputReader input) {
  std::uint32_t hash = 2166136261u;
  for (const std::uint8_t b : input.rest()) hash = (hash ^ b) * 16777619u;
  return hash;
}

enum class Reply : std::uint8_t { Right, BadCrc, Refused, Short, Silent, Cut, Stale, Count };

bool IsWifi(std::uint8_t command) {
  return command == CmdReadWifi || command == CmdWriteWifi;
}

// Data of a size, the same for the same seed: zeros for seed 0, otherwise a
// slice of one noise buffer made once.
Bytes Data(std::size_t size, std::uint8_t seed) {
  constexpr std::size_t kStride = 61;
  static const Bytes kNoise = [] {
    Bytes bytes(256 * kStride + 65536);
    std::uint32_t state = 1;
    for (std::uint8_t& b : bytes) {
      state = state * 1103515245u + 12345u;
      b = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
  }();
  if (seed == 0 || size > kNoise.size() - 256 * kStride) return Bytes(size, 0x00);
  const auto from = kNoise.begin() + static_cast<std::ptrdiff_t>(seed * kStride);
  return Bytes(from, from + static_cast<std::ptrdiff_t>(size));
}

// The answer a tracker that accepts everything gives to a request.
Bytes RightAnswer(const Operation& operation, const Controls& controls, const Bytes& request,
                  std::uint8_t seed) {
  const std::uint8_t command = request.at(4);
  switch (command) {
    case CmdReadBlock: {
      const auto offset = static_cast<std::uint16_t>(request.at(6) << 8 | request.at(7));
      const std::size_t length = static_cast<std::size_t>(request.at(8) << 8 | request.at(9));
      return ReadAnswer(request.at(5), offset, Data(length, seed));
    }
    case CmdWriteBlock:
      return AnswerFrame(CmdWriteBlock, {request.at(5), 0x01});
    case CmdReadWifi:
      return AnswerFrame(CmdReadWifi, Data(std::size_t{request.at(6)} * 64, seed));
    case CmdWriteWifi:
      return AnswerFrame(CmdWriteWifi, {0x01});
    default:
      break;
  }
  for (const ServiceAnswer& answer : ServiceFor(operation, controls).answers) {
    if (!answer.box.ends_with("Completed!")) continue;
    Bytes payload{static_cast<std::uint8_t>(answer.result == kAnyResult ? 1 : answer.result)};
    if (answer.listsIdentifiers) payload.resize(1 + 4 * (seed % 4), seed);
    return AnswerFrame(command, payload);
  }
  return AnswerFrame(command, {0x01});
}

// The window as the engine keeps it until a tracker is identified: its
// request buttons disabled. Made once, so that no input pays for copying the
// chunks the buttons sit in.
MemoryControls WindowBeforeIdentifying() {
  static const MemoryControls window = [] {
    MemoryControls controls = FreshWindow();
    for (const Operation& operation : Operations()) {
      if (!operation.button.empty()) controls.setEnabled(operation.button, false);
    }
    return controls;
  }();
  return window;
}

class Run {
 public:
  Run(InputReader& input, const Operation& operation, bool verifySampled)
      : input_(input), operation_(operation) {
    const std::uint8_t flags = input.byte();
    window_.dltShown = (flags & 1) != 0;
    window_.answerYes = (flags & 2) == 0;
    verify_ = (flags & 4) != 0 && verifySampled;
    engine_.setVerifyAfterWriting(verify_);
    if ((flags & 8) != 0) engine_.leaveOutOfWriteAll(Group::Temperature);
  }

  void play() {
    engine_.start(operation_.id);
    for (int n = 0; engine_.busy() && n < kMaxAnswers; ++n) {
      countSend();
      answer(static_cast<Reply>(input_.byte() % static_cast<int>(Reply::Count)));
    }
    for (int i = 0; i < kSettleTicks && engine_.busy(); ++i) tick();
    FUZZ_CHECK(!engine_.busy());
    FUZZ_CHECK(engine_.state().ReplyTimeout == 0);
    checkEnd();
  }

 private:
  // The same request again is a retry; how often depends on its kind.
  void countSend() {
    if (port_.frameCount() == counted_) return;
    counted_ = port_.frameCount();
    const Bytes& frame = port_.lastFrame();
    repeats_ = frame == last_ ? repeats_ + 1 : 1;
    last_ = frame;
    const std::uint8_t command = frame.at(4);
    const bool read = command == CmdReadBlock || command == CmdReadWifi;
    const bool write = command == CmdWriteBlock || command == CmdWriteWifi;
    if (operation_.all && IsWifi(command) && lastReply_ == Reply::Silent) {
      FUZZ_CHECK(repeats_ == 1);  // skipped, not asked again
    } else {
      FUZZ_CHECK(repeats_ <= (read ? 3 : write ? 2 : 1));
    }
  }

  void answer(Reply reply) {
    lastReply_ = reply;
    const Bytes& request = port_.lastFrame();
    const std::uint8_t command = request.at(4);
    const Bytes right = RightAnswer(operation_, controls_, request, input_.byte());
    const bool wifiSilence = reply == Reply::Silent && operation_.all && IsWifi(command);
    const bool rightly = reply == Reply::Right || reply == Reply::Cut || reply == Reply::Stale;
    if (!rightly && !wifiSilence) otherThanRight_ = true;
    wifiSilent_ |= wifiSilence;
    switch (reply) {
      case Reply::Right:
        return deliver(right);
      case Reply::BadCrc: {
        Bytes broken = right;
        broken[4 + input_.byte() % (broken.size() - 4)] ^= 0x01;
        return deliver(broken);
      }
      case Reply::Refused:
        return deliver(AnswerFrame(command, {request.size() > 5 ? request.at(5) : std::uint8_t{0},
                                             static_cast<std::uint8_t>(input_.byte() % 4 * 2)}));
      case Reply::Short:
        return deliver(shortAnswer(request));
      case Reply::Silent:
        return silence();
      case Reply::Cut: {
        const std::size_t at = 1 + input_.u16() % (right.size() - 1);
        deliver(Bytes(right.begin(), right.begin() + static_cast<std::ptrdiff_t>(at)));
        return deliver(Bytes(right.begin() + static_cast<std::ptrdiff_t>(at), right.end()));
      }
      default:
        if (!stale_.empty()) deliver(stale_);
        stale_ = right;
        return deliver(right);
    }
  }

  // Ticks until the request is sent again or the operation moves on.
  void silence() {
    const std::size_t sent = port_.frameCount();
    for (int i = 0; i < kSettleTicks && engine_.busy() && port_.frameCount() == sent; ++i) tick();
  }

  void checkEnd() {
    if (operation_.kind == OperationKind::Identification || otherThanRight_) return;
    if (port_.frameCount() == 0) return;  // nothing to do, as DLT with its tab hidden
    if (!operation_.confirm.empty() && !window_.answerYes) return;
    if (verify_ && operation_.kind == OperationKind::Write) return;  // the data read back differs
    FUZZ_CHECK(!window_.notices.empty());
    const std::string& box = window_.notices.back();
    const std::string first = box.substr(0, box.find('\n'));
    const bool ok = wifiSilent_ ? first.find("but the WiFi list was not") != std::string::npos
                                : first.ends_with("Completed!");
    if (!ok)
      std::fprintf(stderr, "%s ended: %s\n", std::string(operation_.title).c_str(), box.c_str());
    FUZZ_CHECK(ok);
  }

  void tick() {
    engine_.guarded([this] { engine_.Timer2Timer(); });
  }
  void deliver(const Bytes& bytes) {
    engine_.guarded([&] { engine_.Comm1ReceiveData(bytes); });
  }
  // A whole frame with less data than the request asked for.
  Bytes shortAnswer(const Bytes& request) {
    const std::uint8_t command = request.at(4);
    if (command != CmdReadBlock) return AnswerFrame(command, {});
    const auto offset = static_cast<std::uint16_t>(request.at(6) << 8 | request.at(7));
    const auto length = static_cast<std::uint16_t>(request.at(8) << 8 | request.at(9));
    return ReadAnswerEchoing(request.at(5), offset, length, Data(input_.byte() % 16, 0x5A));
  }

  InputReader& input_;
  const Operation& operation_;
  MemoryControls controls_ = WindowBeforeIdentifying();
  RecordingWindow window_;
  RecordingPort port_;
  Engine engine_{controls_, window_, port_};
  bool verify_ = false;
  std::size_t counted_ = 0;
  Bytes last_;
  int repeats_ = 0;
  Bytes stale_;
  bool otherThanRight_ = false;
  bool wifiSilent_ = false;
  Reply lastReply_ = Reply::Right;
};

}  // namespace

int FuzzOne(InputReader& input) {
  const bool verifySampled = HashOf(input) % kVerifyEvery == 0;
  const auto operations = Operations();
  const Operation& operation = operations[input.byte() % operations.size()];
  Run run(input, operation, verifySampled);
  run.play();
  return 0;
}

}  // namespace tracker::fuzz
