#include "protocol/protocol_context.h"

#include <algorithm>

#include "protocol/crc16.h"

namespace tracker {
namespace {

constexpr std::uint8_t kHeader0 = 0x5A;
constexpr std::uint8_t kHeader1 = 0xA5;

void throwTooLong() {
  throw EPayloadTooLong("The data is too long to send in one frame.");
}

}  // namespace

int ReverseBytes(const std::uint8_t* source, std::uint8_t* destination, int n) {
  if (n < 1) return 0;
  for (int i = 0; i < n; ++i) destination[i] = source[n - 1 - i];
  return n;
}

void ProtocolContext::SendFrame(std::uint8_t command) {
  const std::size_t n = PayloadLength;
  const auto length = static_cast<std::uint16_t>(n + 1);
  FrameBuffer[0] = kHeader0;
  FrameBuffer[1] = kHeader1;
  FrameBuffer[2] = static_cast<std::uint8_t>(length >> 8);
  FrameBuffer[3] = static_cast<std::uint8_t>(length & 0xFF);
  FrameBuffer[4] = command;
  std::copy_n(PayloadBuffer.begin(), n, FrameBuffer.begin() + 5);
  const std::uint16_t crc = Crc16({FrameBuffer.data(), n + 5});
  FrameBuffer[n + 5] = static_cast<std::uint8_t>(crc >> 8);
  FrameBuffer[n + 6] = static_cast<std::uint8_t>(crc & 0xFF);
  if (link_ != nullptr) link_->SendData({FrameBuffer.data(), n + kFrameOverhead});
}

std::uint16_t ProtocolContext::FindFrame(std::uint16_t start) {
  const std::size_t r = ReceiveLength;
  if (r <= 5 || start > r - 5) return 0;
  std::size_t p = start;
  while (p <= r - 5 && !(ReceiveBuffer[p] == kHeader0 && ReceiveBuffer[p + 1] == kHeader1)) ++p;
  if (p > r - 5) return 0;
  const std::size_t length = ReceiveBuffer[p + 2] * 256u + ReceiveBuffer[p + 3];
  FrameLength = static_cast<std::uint16_t>(length);
  if (p + length + 6 > r) return 0;
  const std::uint16_t crc = Crc16({ReceiveBuffer.data() + p, length + 4});
  if (ReceiveBuffer[p + length + 4] != (crc >> 8) ||
      ReceiveBuffer[p + length + 5] != (crc & 0xFF)) {
    return 0;
  }
  return static_cast<std::uint16_t>(p + 4);
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

void ProtocolContext::setReceived(std::span<const std::uint8_t> bytes) {
  const std::size_t n = std::min(bytes.size(), kBufferSize);
  std::copy_n(bytes.begin(), n, ReceiveBuffer.begin());
  ReceiveLength = static_cast<std::uint16_t>(n);
}

}  // namespace tracker
