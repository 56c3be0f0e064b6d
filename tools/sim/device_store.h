#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/frame.h"

namespace tracker::sim {

inline constexpr int kBlockCount = 6;
inline constexpr std::array<std::size_t, kBlockCount> kBlockSizes = {271, 535, 116, 256, 4096, 48};
inline constexpr std::size_t kDeviceIdOffset = 16;  // block 1, 15 ASCII digits
inline constexpr std::size_t kWifiEntries = 32;
inline constexpr std::size_t kWifiEntryBytes = 64;  // SSID 32 bytes, password 32 bytes
inline constexpr std::size_t kWifiBytes = kWifiEntries * kWifiEntryBytes;

// Buffer fill counters reported with the device information: for each of the
// SMS, GPRS-1, GPRS-2 and GPS-log buffers a stored count and a capacity.
struct BufferFill {
  std::uint32_t stored = 0;
  std::uint32_t capacity = 0;
};

enum class TrackerBuffer { Sms = 0, Gprs1 = 1, Gprs2 = 2, GpsLog = 3 };

// Everything the tracker keeps: raw parameter blocks 1-6, the WiFi list, the
// RFID identifiers and the figures of the device information. The store knows
// sizes, not meanings: the tracker only moves bytes.
struct DeviceStore {
  std::array<Bytes, kBlockCount> blocks;
  Bytes wifi;
  std::vector<std::string> rfids;
  std::array<BufferFill, 4> buffers;
  std::uint8_t battery = 0;
  std::uint32_t mileage = 0;
  std::string deviceId;
  std::string serialNumber;
  std::optional<std::string> authCode;  // none: every code is accepted

  // A fresh tracker with the given 15-digit identifier.
  static DeviceStore factoryNew(const std::string& deviceId);

  // Parameter blocks and WiFi list back to their defaults; the identity,
  // counters and RFID list stay.
  void restoreDefaults();

  // Block n (1-6) or nullptr for any other number.
  Bytes* block(int number);
  const Bytes* block(int number) const;

  BufferFill& fill(TrackerBuffer which) { return buffers[static_cast<std::size_t>(which)]; }
};

}  // namespace tracker::sim
