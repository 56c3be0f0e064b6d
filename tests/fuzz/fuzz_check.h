#pragma once
// What the fuzz targets share: a check that stops the program on a broken
// property (libFuzzer records the input), and a reader of the input bytes.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)

namespace tracker::fuzz {

// Takes bytes from the front of the input; past its end it gives zeros.
class InputReader {
 public:
  InputReader(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  bool empty() const { return bytes_.empty(); }
  std::uint8_t byte() {
    if (bytes_.empty()) return 0;
    const std::uint8_t b = bytes_.front();
    bytes_ = bytes_.subspan(1);
    return b;
  }
  std::uint16_t u16() { return static_cast<std::uint16_t>(byte() << 8 | byte()); }
  // Up to `count` bytes, fewer at the input's end.
  std::span<const std::uint8_t> take(std::size_t count) {
    const std::size_t n = count < bytes_.size() ? count : bytes_.size();
    const auto taken = bytes_.first(n);
    bytes_ = bytes_.subspan(n);
    return taken;
  }
  std::span<const std::uint8_t> rest() { return take(bytes_.size()); }

 private:
  std::span<const std::uint8_t> bytes_;
};

// One input of a target (each defines it); fuzz_entry.cpp hands it the bytes.
int FuzzOne(InputReader& input);

}  // namespace tracker::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
