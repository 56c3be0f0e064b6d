#include "sim/faults.h"

#include <algorithm>

namespace tracker::sim {

void FaultInjector::misecho(std::uint8_t command, Bytes& payload) const {
  constexpr std::uint8_t kReadBlock = 0x59;
  if (!faults_.wrongEcho || command != kReadBlock || payload.size() < 3) return;
  payload[2] = static_cast<std::uint8_t>(payload[2] + 1);  // offset, low byte
}

bool FaultInjector::vanishes() {
  if (faults_.vanishAfter <= 0) return false;
  return --faults_.vanishAfter == 0;
}

std::optional<Answer> FaultInjector::forgets(const Frame& request) const {
  if (request.command == command::kWriteBlock && !request.payload.empty() &&
      faults_.forgetBlocks.contains(request.payload[0])) {
    return Answer{request.command, {request.payload[0], kDone}, false};
  }
  if (request.command == command::kWriteWifi && faults_.forgetBlocks.contains(0)) {
    return Answer{request.command, {kDone}, false};
  }
  return std::nullopt;
}

bool FaultInjector::corrupts() {
  ++answers_;
  if (faults_.badCrcEvery > 0 && answers_ % faults_.badCrcEvery == 0) return true;
  if (faults_.badCrcAfter > 0) {
    --faults_.badCrcAfter;
    return false;
  }
  if (faults_.badCrcAnswers <= 0) return false;
  --faults_.badCrcAnswers;
  return true;
}

std::vector<Piece> FaultInjector::cut(Bytes frame) const {
  if (faults_.cutAfter == 0 || faults_.cutAfter >= frame.size()) {
    return {Piece{{}, std::move(frame)}};
  }
  const auto at = frame.begin() + static_cast<std::ptrdiff_t>(faults_.cutAfter);
  return {Piece{{}, Bytes(frame.begin(), at)}, Piece{faults_.cutPause, Bytes(at, frame.end())}};
}

std::vector<Piece> FaultInjector::shape(Bytes frame) {
  if (corrupts() && frame.size() >= 2) {
    frame[frame.size() - 1] ^= 0xFF;
    frame[frame.size() - 2] ^= 0xFF;
  }
  std::vector<Piece> pieces = splitPieces(std::move(frame));
  if (faults_.falseStart) {
    Bytes& first = pieces.front().bytes;
    first.insert(first.begin(), std::begin(kFalseStart), std::end(kFalseStart));
  }
  return pieces;
}

std::vector<Piece> FaultInjector::splitPieces(Bytes frame) const {
  if (faults_.split.count() <= 0) return cut(std::move(frame));

  std::vector<Piece> pieces;
  const std::size_t size = frame.size();
  std::size_t start = 0;
  for (int i = 0; i < kSplitPieces && start < size; ++i) {
    const auto remaining = static_cast<std::size_t>(kSplitPieces - i);
    const std::size_t length = std::max<std::size_t>(1, (size - start + remaining - 1) / remaining);
    const auto begin = frame.begin() + static_cast<std::ptrdiff_t>(start);
    pieces.push_back(Piece{i == 0 ? std::chrono::milliseconds{0} : faults_.split,
                           Bytes(begin, begin + static_cast<std::ptrdiff_t>(length))});
    start += length;
  }
  return pieces;
}

}  // namespace tracker::sim
