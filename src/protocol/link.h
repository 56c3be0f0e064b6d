#pragma once
// Where SendFrame hands its bytes: the serial port in the app, a recorder in tests.

#include <cstdint>
#include <span>

namespace tracker {

class Link {
 public:
  virtual ~Link() = default;
  // Queues the bytes for sending; false when they cannot be sent (port closed).
  virtual bool SendData(std::span<const std::uint8_t> bytes) = 0;
};

}  // namespace tracker
