#pragma once
// A Link that records every frame handed to it, for tests.

#include <cstdint>
#include <span>
#include <vector>

#include "protocol/link.h"

namespace tracker {

class RecordingLink : public Link {
 public:
  bool SendData(std::span<const std::uint8_t> bytes) override {
    frames.emplace_back(bytes.begin(), bytes.end());
    return true;
  }
  const std::vector<std::uint8_t>& last() const { return frames.back(); }
  std::vector<std::vector<std::uint8_t>> frames;
};

}  // namespace tracker
