// FramesComplete: when the bytes read so far end with whole, CRC-right frames.

#include <gtest/gtest.h>

#include <string>

#include "protocol/frame.h"
#include "support/answer_frames.h"

namespace tracker {
namespace {

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes Cut(const Bytes& bytes, std::size_t drop) {
  return Bytes(bytes.begin(), bytes.end() - static_cast<std::ptrdiff_t>(drop));
}

TEST(FramesComplete, TellsWholeFramesFromEverythingElse) {
  const Bytes small = AnswerFrame(0xE5, {0x01});
  const Bytes large = ReadAnswer(0x07, 0, Bytes(4100, 0x5A));  // longer than a chunk
  Bytes badCrc = small;
  badCrc.back() ^= 0x01;
  const Bytes emptyCommand = {0x5A, 0xA5, 0x00, 0x00, 0xCF, 0x3C};  // length 0, right CRC
  struct Case {
    std::string name;
    Bytes bytes;
    bool complete;
  };
  const Case cases[] = {
      {"nothing", {}, false},
      {"a lone 5A", {0x5A}, false},
      {"header only", {0x5A, 0xA5}, false},
      {"header and half the length", {0x5A, 0xA5, 0x00}, false},
      {"one byte missing", Cut(small, 1), false},
      {"a whole frame", small, true},
      {"a frame of length 0", emptyCommand, true},
      {"a frame longer than a chunk", large, true},
      {"the same, one byte short", Cut(large, 1), false},
      {"wrong CRC", badCrc, false},
      {"noise, then a frame", Join({{0x00, 0x13, 0x5A}, small}), true},
      {"two frames", Join({small, large}), true},
      {"a frame and part of the next", Join({small, Cut(small, 3)}), false},
      {"a frame and noise after it", Join({small, {0x00}}), false},
      {"a frame after a broken one", Join({badCrc, small}), false},
      {"the banner", TextBytes("Model: Larch V1.0\r\n"), false},
      {"a length announcing more than arrives", {0x5A, 0xA5, 0xFF, 0xFF, 0x59, 0x00, 0x00}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(FramesComplete(c.bytes), c.complete) << c.name;
}

}  // namespace
}  // namespace tracker
