// Frame finding against a small model of a valid frame written from the frame
// layout alone: the scanner's verdict, the bytes it keeps, that cutting the
// line anywhere finds the same frames as taking it whole.

#include <algorithm>
#include <array>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "protocol/frame.h"
#include "protocol/receive_buffer.h"

namespace tracker::fuzz {
namespace {

// CRC-16/CCITT-FALSE, from its bit-by-bit rule: a table of what each byte
// does, made once, as the model checks a CRC at every header it meets.
std::uint16_t ModelCrc(std::span<const std::uint8_t> bytes) {
  static const auto table = [] {
    std::array<std::uint16_t, 256> t{};
    for (int b = 0; b < 256; ++b) {
      auto crc = static_cast<std::uint16_t>(b << 8);
      for (int bit = 0; bit < 8; ++bit) {
        crc = static_cast<std::uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
      }
      t[b] = crc;
    }
    return t;
  }();
  std::uint16_t crc = 0xFFFF;
  for (const std::uint8_t b : bytes) {
    crc = static_cast<std::uint16_t>(crc << 8 ^ table[(crc >> 8 ^ b) & 0xFF]);
  }
  return crc;
}

enum class At { Nothing, Valid, Broken, Unfinished };

struct Candidate {
  At what = At::Nothing;
  std::size_t length = 0;
};

// What the bytes from h on are, of a line of which n bytes have arrived: a
// frame is 5A A5, a length L of at least 1 (command and payload), L bytes,
// and the CRC of everything before it; it must fit `capacity` bytes.
Candidate ModelAt(std::span<const std::uint8_t> line, std::size_t h, std::size_t capacity) {
  const std::size_t n = line.size();
  if (line[h] != 0x5A) return {};
  if (h + 1 == n) return {At::Unfinished};
  if (line[h + 1] != 0xA5) return {};
  if (h + 4 > n) return {At::Unfinished};
  const std::size_t length = line[h + 2] * 256u + line[h + 3];
  if (length == 0 || length + 6 > capacity) return {};
  if (h + length + 6 > n) return {At::Unfinished, length};
  const std::uint16_t crc = ModelCrc(line.subspan(h, length + 4));
  const bool ok = line[h + length + 4] == (crc >> 8) && line[h + length + 5] == (crc & 0xFF);
  return {ok ? At::Valid : At::Broken, length};
}

void CheckVerdict(std::span<const std::uint8_t> line, std::size_t capacity) {
  const FrameScan scan = ScanFrames(line, capacity);
  std::size_t unfinished = line.size();
  std::size_t broken = kNoFrame;
  std::size_t first = kNoFrame;  // the valid frame that ends first
  std::size_t firstEnd = 0;
  std::size_t firstLength = 0;
  for (std::size_t h = 0; h < line.size(); ++h) {
    if (first != kNoFrame && h >= firstEnd) break;  // a frame from here on ends later
    const Candidate c = ModelAt(line, h, capacity);
    if (c.what == At::Valid && (first == kNoFrame || h + c.length + 6 < firstEnd)) {
      first = h;
      firstEnd = h + c.length + 6;
      firstLength = c.length;
    }
    if (c.what == At::Unfinished && unfinished == line.size()) unfinished = h;
    if (c.what == At::Broken && broken == kNoFrame && unfinished == line.size()) broken = h;
  }
  if (first != kNoFrame) {
    FUZZ_CHECK(scan.header == first);
    FUZZ_CHECK(scan.length == firstLength);
    return;
  }
  FUZZ_CHECK(!scan.found());
  FUZZ_CHECK(scan.keep == unfinished);
  FUZZ_CHECK(scan.rejected == broken);
}

// A frame found, by where it stands in the whole line.
struct Found {
  std::size_t at = 0;
  std::size_t size = 0;
  bool operator==(const Found&) const = default;
};

// The frames found when the line arrives in pieces, cut where the input says
// (up to three cuts, anywhere), gathered as the engine gathers them. The
// gathered bytes are always the line's own, from where the last drop left.
std::vector<Found> Gathered(std::span<const std::uint8_t> line, std::vector<std::size_t> cuts) {
  static ReceiveBuffer received;  // its room is large: made once, not per input
  received.clear();
  std::vector<Found> frames;
  cuts.push_back(line.size());
  std::sort(cuts.begin(), cuts.end());
  std::size_t from = 0;
  std::size_t start = 0;  // where in the line the gathered bytes begin
  for (const std::size_t cut : cuts) {
    auto rest = line.subspan(from, cut - from);
    from = cut;
    while (!rest.empty()) {
      rest = rest.subspan(received.append(rest));
      const auto held = received.bytes();
      const auto own = line.subspan(start, from - start);
      FUZZ_CHECK(std::equal(held.begin(), held.end(), own.begin(), own.end() - rest.size()));
      for (;;) {
        const FrameScan scan = ScanFrames(received.bytes());
        if (!scan.found()) {
          received.drop(scan.keep);
          start += scan.keep;
          break;
        }
        frames.push_back({start + scan.header, scan.end() - scan.header});
        received.drop(scan.end());
        start += scan.end();
      }
    }
  }
  return frames;
}

}  // namespace

int FuzzOne(InputReader& input) {
  constexpr std::size_t kCapacities[] = {kBufferSize, 300, 64, 7};
  const std::size_t capacity = kCapacities[input.byte() % 4];
  std::uint16_t cutAt[3];
  for (std::uint16_t& at : cutAt) at = input.u16();
  const auto line = input.rest();
  std::vector<std::size_t> cuts;
  for (const std::uint16_t at : cutAt) cuts.push_back(at % (line.size() + 1));
  CheckVerdict(line, capacity);
  FUZZ_CHECK(Gathered(line, cuts) == Gathered(line, {}));
  return 0;
}

}  // namespace tracker::fuzz
