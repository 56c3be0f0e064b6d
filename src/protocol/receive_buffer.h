#pragma once
// The bytes gathered from the line until they make whole frames: each
// delivery is appended behind the bytes kept from earlier ones.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "protocol/frame.h"

namespace tracker {

class ReceiveBuffer {
 public:
  ReceiveBuffer() { bytes_.reserve(kBufferSize); }

  // Appends as much of a delivery as fits; returns the count.
  std::size_t append(std::span<const std::uint8_t> bytes);
  // Drops the first `count` bytes; the rest move to the front.
  void drop(std::size_t count);
  void clear() { bytes_.clear(); }
  std::span<const std::uint8_t> bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;  // never beyond kBufferSize, so views stay valid
};

}  // namespace tracker
