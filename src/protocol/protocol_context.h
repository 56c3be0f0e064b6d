#pragma once
// The payload of the next frame to send, and the link the frame goes to.

#include <array>
#include <cstdint>
#include <span>

#include "protocol/frame.h"
#include "protocol/link.h"

namespace tracker {

class ProtocolContext {
 public:
  explicit ProtocolContext(Link* link = nullptr) : link_(link) {}
  void setLink(Link* link) { link_ = link; }

  // Frames the payload with the command and hands the frame to the link.
  // The payload is left as it is.
  void SendFrame(std::uint8_t command);

  // Payload building: every builder clears, then appends. Appending past
  // kMaxPayload throws EPayloadTooLong and leaves the payload as it was.
  void clearPayload() { PayloadLength = 0; }
  void append(std::uint8_t byte);
  void append(std::span<const std::uint8_t> bytes);
  void appendZeros(std::size_t count, std::uint8_t value = 0x00);
  // Writes a big-endian 16-bit value at a payload position already appended.
  void putBigEndian16(std::size_t position, std::uint16_t value);
  std::span<const std::uint8_t> payload() const { return {PayloadBuffer.data(), PayloadLength}; }

  std::array<std::uint8_t, kBufferSize> PayloadBuffer{};
  std::uint16_t PayloadLength = 0;

 private:
  Link* link_;
};

}  // namespace tracker
