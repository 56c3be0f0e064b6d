#include "protocol/block_map.h"

namespace tracker {
namespace {

void appendBigEndian16(Bytes& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
  bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

}  // namespace

Bytes ReadRequest(const BlockRange& request) {
  Bytes bytes{request.block};
  appendBigEndian16(bytes, request.offset);
  appendBigEndian16(bytes, request.length);
  return bytes;
}

Bytes BlockWrite(std::uint8_t block, std::uint16_t offset, std::span<const std::uint8_t> data) {
  Bytes bytes{block};
  bytes.reserve(kBlockHeaderSize + data.size());
  appendBigEndian16(bytes, offset);
  appendBigEndian16(bytes, static_cast<std::uint16_t>(data.size()));
  bytes.insert(bytes.end(), data.begin(), data.end());
  return bytes;
}

}  // namespace tracker
