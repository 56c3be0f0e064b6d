#pragma once
// The shared send and receive buffers and the two framing operations.
// Frame: 5A A5, length L (= payload + 1, big-endian), command, payload,
// CRC-16 (big-endian) over everything before it.

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

#include "protocol/link.h"

namespace tracker {

inline constexpr std::size_t kBufferSize = 40961;
inline constexpr std::size_t kFrameOverhead = 7;
inline constexpr std::size_t kMaxPayload = kBufferSize - kFrameOverhead;  // 40,954

// A payload that would not fit a frame; its message is shown to the user.
class EPayloadTooLong : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Copies n bytes reversed: dst[i] = src[n - 1 - i]. Returns n, or 0 when n < 1.
int ReverseBytes(const std::uint8_t* source, std::uint8_t* destination, int n);

class ProtocolContext {
 public:
  explicit ProtocolContext(Link* link = nullptr) : link_(link) {}
  void setLink(Link* link) { link_ = link; }

  // Frames PayloadBuffer[0 .. PayloadLength) with the command and hands the
  // frame to the link. PayloadBuffer and PayloadLength are left as they are.
  void SendFrame(std::uint8_t command);

  // Position of the command byte of the first complete, CRC-valid frame whose
  // header is the first 5A A5 at or after start; 0 when there is none.
  // Sets FrameLength from the examined header even when it is rejected.
  std::uint16_t FindFrame(std::uint16_t start);

  // Payload building: every builder clears, then appends. Appending past
  // kMaxPayload throws EPayloadTooLong and leaves the payload as it was.
  void clearPayload() { PayloadLength = 0; }
  void append(std::uint8_t byte);
  void append(std::span<const std::uint8_t> bytes);
  void appendZeros(std::size_t count, std::uint8_t value = 0x00);
  // Writes a big-endian 16-bit value at a payload position already appended.
  void putBigEndian16(std::size_t position, std::uint16_t value);
  std::span<const std::uint8_t> payload() const { return {PayloadBuffer.data(), PayloadLength}; }

  // Replaces ReceiveBuffer with a delivery (cut to the buffer size).
  void setReceived(std::span<const std::uint8_t> bytes);
  std::span<const std::uint8_t> received() const { return {ReceiveBuffer.data(), ReceiveLength}; }

  std::array<std::uint8_t, kBufferSize> PayloadBuffer{};
  std::uint16_t PayloadLength = 0;
  std::array<std::uint8_t, kBufferSize> FrameBuffer{};
  std::array<std::uint8_t, kBufferSize> ReceiveBuffer{};
  std::uint16_t ReceiveLength = 0;
  std::uint16_t FrameLength = 0;

 private:
  Link* link_;
};

}  // namespace tracker
