// Encode and decode time of all groups together, averaged over many rounds.
// Not a test: run it by hand (target codec_benchmark).
#include <chrono>
#include <cstdio>
#include <memory>

#include "codec_harness.h"

int main() {
  using namespace tracker;
  using Clock = std::chrono::steady_clock;
  constexpr int kRounds = 2000;
  MemoryControls controls;

  // One answer per decode step, laid out as the dispatcher would receive it.
  struct Answer {
    Group group = Group::Gprs;
    WifiHalf half = WifiHalf::First;
    Bytes delivery;
    std::span<const std::uint8_t> data;
  };
  std::vector<std::unique_ptr<Answer>> answers;
  for (const Group group : AllGroups()) {
    const Bytes payload = Encode(group, controls);
    if (group == Group::Wifi) {
      for (const WifiHalf half : {WifiHalf::First, WifiHalf::Second}) {
        auto a = std::make_unique<Answer>();
        a->group = group;
        a->half = half;
        const std::size_t at = half == WifiHalf::First ? 0 : 1024;
        const Bytes data(payload.begin() + at, payload.begin() + at + 1024);
        a->delivery = Delivery(AnswerFrame(0xB7, data));
        a->data = FindAnswer(a->delivery).payload;
        answers.push_back(std::move(a));
      }
      continue;
    }
    const GroupSpec& t = SpecOf(group);
    Bytes data(t.read.length, 0x00);
    std::copy(payload.begin() + 5, payload.end(), data.begin() + (t.write.offset - t.read.offset));
    auto a = std::make_unique<Answer>();
    a->group = group;
    a->delivery = Delivery(ReadAnswer(t.block(), t.read.offset, data));
    a->data = AsBlockAnswer(FindAnswer(a->delivery))->data;
    answers.push_back(std::move(a));
  }

  const auto encodeStart = Clock::now();
  for (int r = 0; r < kRounds; ++r) {
    for (const Group group : AllGroups()) Encode(group, controls);
  }
  const auto encodeTime = Clock::now() - encodeStart;

  const auto decodeStart = Clock::now();
  for (int r = 0; r < kRounds; ++r) {
    for (auto& a : answers) {
      if (Decode(a->group, a->data, controls, a->half) != DecodeResult::Ok) return 1;
    }
  }
  const auto decodeTime = Clock::now() - decodeStart;

  const auto perRound = [](Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count() / kRounds;
  };
  std::printf("all groups, %d rounds: encode %.1f us, decode %.1f us per round\n", kRounds,
              perRound(encodeTime), perRound(decodeTime));
  return 0;
}
