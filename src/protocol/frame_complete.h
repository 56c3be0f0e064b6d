#pragma once
// Whether bytes read so far end with a whole answer: the serial reader's test
// for ending a delivery at once instead of waiting for the read interval.

#include <cstdint>
#include <span>

namespace tracker {

// True when the bytes, from their first 5A A5 on, are one or more frames that
// have all their announced bytes and a right CRC, with nothing after the last.
// Bytes before the first header are allowed (FindFrame skips them too). A pure
// function: it runs in the port's reader thread.
bool FramesComplete(std::span<const std::uint8_t> bytes);

}  // namespace tracker
