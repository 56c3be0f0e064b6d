#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "sim/device.h"
#include "sim/frame.h"

namespace tracker::sim {

// Faults the simulated tracker can be told to commit.
struct Faults {
  std::set<std::uint8_t> silent;        // commands never answered
  int badCrcAnswers = 0;                // the next N answers carry a wrong CRC
  int badCrcAfter = 0;                  // answers that pass unharmed before those
  std::chrono::milliseconds split{0};   // > 0: answers go out in pieces, with pauses
  bool wrongEcho = false;               // block read answers echo another offset
  int vanishAfter = 0;                  // > 0: the line goes dead after that many answers
  std::set<std::uint8_t> forgetBlocks;  // writes acknowledged but not stored; 0: the WiFi list
  // A noisy line: every answer cut after byte N with a pause, a false frame
  // start ahead of every answer, every Nth answer with a wrong CRC.
  std::size_t cutAfter = 0;  // 0: not cut
  std::chrono::milliseconds cutPause{40};
  bool falseStart = false;
  int badCrcEvery = 0;  // 0: none
};

// What goes on the line ahead of each answer with falseStart: a header whose
// length could not fit any frame.
inline constexpr std::uint8_t kFalseStart[] = {0x5A, 0xA5, 0xFF, 0xF0};

inline constexpr int kSplitPieces = 3;

// One slice of output and the pause to keep before it.
struct Piece {
  std::chrono::milliseconds pauseBefore{0};
  Bytes bytes;
};

// Turns an encoded answer frame into what actually goes on the line, and
// counts down the CRC faults it uses.
class FaultInjector {
 public:
  explicit FaultInjector(Faults faults) : faults_(std::move(faults)) {}

  bool silences(std::uint8_t command) const { return faults_.silent.contains(command); }
  // Makes a block read answer echo the offset after the one asked for.
  void misecho(std::uint8_t command, Bytes& payload) const;
  // Counts an answer; true once the line should go dead.
  bool vanishes();
  // A write to a block the tracker forgets: the acknowledgement it gives
  // without storing anything; none for every other request.
  std::optional<Answer> forgets(const Frame& request) const;
  std::vector<Piece> shape(Bytes frame);

 private:
  bool corrupts();
  std::vector<Piece> splitPieces(Bytes frame) const;
  std::vector<Piece> cut(Bytes frame) const;

  Faults faults_;
  int answers_ = 0;
};

}  // namespace tracker::sim
