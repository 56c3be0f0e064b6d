#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "sim/device_store.h"
#include "sim/frame.h"

namespace tracker::sim {

// Command bytes the tracker understands.
namespace command {
inline constexpr std::uint8_t kAuthorise = 0x50;
inline constexpr std::uint8_t kWriteBlock = 0x58;
inline constexpr std::uint8_t kReadBlock = 0x59;
inline constexpr std::uint8_t kAddRfid = 0xB0;
inline constexpr std::uint8_t kDeleteRfid = 0xB1;
inline constexpr std::uint8_t kListRfid = 0xB2;
inline constexpr std::uint8_t kTempPair = 0xB5;
inline constexpr std::uint8_t kWriteWifi = 0xB6;
inline constexpr std::uint8_t kReadWifi = 0xB7;
inline constexpr std::uint8_t kClearSms = 0xC0;
inline constexpr std::uint8_t kClearGprs1 = 0xC1;
inline constexpr std::uint8_t kClearGprs2 = 0xC2;
inline constexpr std::uint8_t kClearGpsLog = 0xC3;
inline constexpr std::uint8_t kSetMileage = 0xC4;
inline constexpr std::uint8_t kDefault = 0xE5;
inline constexpr std::uint8_t kClearAuthCode = 0xE6;
}  // namespace command

// Status bytes of the short answers.
inline constexpr std::uint8_t kDone = 1;
inline constexpr std::uint8_t kFailed = 2;
inline constexpr std::uint8_t kRefused = 0;

struct Answer {
  std::uint8_t command = 0;
  Bytes payload;
  bool restarted = false;  // the tracker has just reset itself (defaults restored)
};

// The tracker's command handlers over its store. A request it does not
// understand (unknown command, malformed payload) gets no answer.
class Device {
 public:
  Device(DeviceStore& store, std::string firmware);

  std::optional<Answer> handle(const Frame& request);

 private:
  std::optional<Answer> authorise(const Bytes& payload) const;
  std::optional<Answer> writeBlock(const Bytes& payload);
  std::optional<Answer> readBlock(const Bytes& payload) const;
  std::optional<Answer> addRfids(const Bytes& payload);
  std::optional<Answer> deleteRfids(const Bytes& payload);
  std::optional<Answer> listRfids() const;
  std::optional<Answer> writeWifi(const Bytes& payload);
  std::optional<Answer> readWifi(const Bytes& payload) const;
  std::optional<Answer> setMileage(const Bytes& payload);
  std::optional<Answer> clearBuffer(std::uint8_t cmd, TrackerBuffer which);

  DeviceStore& store_;
  std::string firmware_;
};

}  // namespace tracker::sim
