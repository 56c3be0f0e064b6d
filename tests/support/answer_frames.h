#pragma once
// Builds the tracker's answer frames for tests.

#include <cstdint>
#include <string_view>
#include <vector>

#include "protocol/crc16.h"

namespace tracker {

using Bytes = std::vector<std::uint8_t>;

// A frame around a command byte and its payload.
inline Bytes AnswerFrame(std::uint8_t command, const Bytes& payload) {
  const std::size_t length = payload.size() + 1;
  Bytes frame;
  frame.reserve(payload.size() + 7);
  frame.push_back(0x5A);
  frame.push_back(0xA5);
  frame.push_back(static_cast<std::uint8_t>(length >> 8));
  frame.push_back(static_cast<std::uint8_t>(length & 0xFF));
  frame.push_back(command);
  for (const std::uint8_t b : payload) frame.push_back(b);
  const std::uint16_t crc = Crc16(frame);
  frame.push_back(static_cast<std::uint8_t>(crc >> 8));
  frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  return frame;
}

// A block read answer: block, offset and length echoed (big-endian), data.
inline Bytes ReadAnswer(std::uint8_t block, std::uint16_t offset, const Bytes& data) {
  Bytes payload;
  payload.reserve(data.size() + 5);
  payload.push_back(block);
  payload.push_back(static_cast<std::uint8_t>(offset >> 8));
  payload.push_back(static_cast<std::uint8_t>(offset & 0xFF));
  payload.push_back(static_cast<std::uint8_t>(data.size() >> 8));
  payload.push_back(static_cast<std::uint8_t>(data.size() & 0xFF));
  for (const std::uint8_t b : data) payload.push_back(b);
  return AnswerFrame(0x59, payload);
}

// A block read answer that echoes a request of `length` bytes but carries `data`.
inline Bytes ReadAnswerEchoing(std::uint8_t block, std::uint16_t offset, std::uint16_t length,
                               const Bytes& data) {
  Bytes frame = ReadAnswer(block, offset, Bytes(length, 0x00));
  Bytes payload(frame.begin() + 5, frame.begin() + 10);
  payload.insert(payload.end(), data.begin(), data.end());
  return AnswerFrame(0x59, payload);
}

inline Bytes TextBytes(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

}  // namespace tracker
