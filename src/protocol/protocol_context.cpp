#include "protocol/protocol_context.h"

#include <algorithm>
#include <vector>

namespace tracker {
namespace {

void throwTooLong() {
  throw EPayloadTooLong("The data is too long to send in one frame.");
}

}  // namespace

void ProtocolContext::SendFrame(std::uint8_t command) {
  const std::vector<std::uint8_t> frame = EncodeFrame(command, payload());
  if (link_ != nullptr) link_->SendData(frame);
}

void ProtocolContext::append(std::uint8_t byte) {
  if (PayloadLength >= kMaxPayload) throwTooLong();
  PayloadBuffer[PayloadLength++] = byte;
}

void ProtocolContext::append(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > kMaxPayload - PayloadLength) throwTooLong();
  std::copy(bytes.begin(), bytes.end(), PayloadBuffer.begin() + PayloadLength);
  PayloadLength = static_cast<std::uint16_t>(PayloadLength + bytes.size());
}

void ProtocolContext::appendZeros(std::size_t count, std::uint8_t value) {
  if (count > kMaxPayload - PayloadLength) throwTooLong();
  std::fill_n(PayloadBuffer.begin() + PayloadLength, count, value);
  PayloadLength = static_cast<std::uint16_t>(PayloadLength + count);
}

void ProtocolContext::putBigEndian16(std::size_t position, std::uint16_t value) {
  PayloadBuffer[position] = static_cast<std::uint8_t>(value >> 8);
  PayloadBuffer[position + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace tracker
