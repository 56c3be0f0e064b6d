#include "protocol/receive_buffer.h"

#include <algorithm>

namespace tracker {

std::size_t ReceiveBuffer::append(std::span<const std::uint8_t> bytes) {
  const std::size_t count = std::min(bytes.size(), kBufferSize - bytes_.size());
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
  return count;
}

void ReceiveBuffer::drop(std::size_t count) {
  const std::size_t n = std::min(count, bytes_.size());
  bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(n));
}

}  // namespace tracker
