#include "protocol/answer.h"

namespace tracker {

std::optional<BlockAnswer> AsBlockAnswer(const Answer& answer) {
  const auto p = answer.payload;
  if (p.size() < kBlockHeaderSize) return std::nullopt;
  const BlockRange echo{
      .block = p[0],
      .offset = static_cast<std::uint16_t>(p[1] << 8 | p[2]),
      .length = static_cast<std::uint16_t>(p[3] << 8 | p[4]),
  };
  return BlockAnswer{echo, p.subspan(kBlockHeaderSize)};
}

std::optional<Acknowledgement> AsAcknowledgement(const Answer& answer) {
  if (answer.payload.size() < 2) return std::nullopt;
  return Acknowledgement{answer.payload[0], answer.payload[1]};
}

std::optional<std::uint8_t> FirstByte(const Answer& answer) {
  if (answer.payload.empty()) return std::nullopt;
  return answer.payload[0];
}

}  // namespace tracker
