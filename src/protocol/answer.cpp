#include "protocol/answer.h"

#include <algorithm>

namespace tracker {

Answer ParseAnswer(const ProtocolContext& context, std::size_t position) {
  // FrameLength counts the command byte and the payload; the delivery may
  // have been cut, so the received length bounds it too.
  const std::size_t frameEnd = position + context.FrameLength;
  const std::size_t end = std::min<std::size_t>(frameEnd, context.ReceiveLength);
  const std::size_t first = position + 1;
  if (position >= context.ReceiveLength) return {0, {}};
  const std::uint8_t command = context.ReceiveBuffer[position];
  if (first >= end) return {command, {}};
  return {command, {context.ReceiveBuffer.data() + first, end - first}};
}

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
