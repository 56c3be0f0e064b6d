#pragma once
// What a reader thread takes from TComm's properties, and the owner's test
// that ends a chunk early; shared by both backends.

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>

namespace tracker {

// What the reader reads from TComm's properties; changed by the owner while open.
struct ReadSettings {
  std::atomic<std::uint32_t> intervalMs{100};
  std::atomic<std::uint32_t> totalMultiplierMs{0};
  std::atomic<std::uint32_t> totalConstantMs{0};
  std::atomic<bool> ignoreNullChar{false};
};

// Says whether the bytes gathered so far make a complete answer. Runs in the
// reader thread: a pure function of its bytes, sharing no state.
using TCompletenessTest = std::function<bool(std::span<const std::uint8_t> bytes)>;

// Milliseconds to wait for the next byte of a chunk that has been gathering
// for `elapsedMs`: -1 for no limit, 0 to end it now. The interval counts from
// the last byte, the total (multiplier per chunk byte plus constant) from the
// first; an interval of all ones ends the chunk with what has arrived.
int ChunkTimeoutMs(const ReadSettings& settings, std::int64_t elapsedMs);

}  // namespace tracker
