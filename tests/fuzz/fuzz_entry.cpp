// The entry point libFuzzer (or the replay program) calls, for every target.

#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tracker::fuzz::InputReader input(data, size);
  return tracker::fuzz::FuzzOne(input);
}
