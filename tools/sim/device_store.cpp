#include "sim/device_store.h"

#include <algorithm>

namespace tracker::sim {
namespace {

// Erased flash: an unused WiFi field reads as 0xFF bytes.
constexpr std::uint8_t kErased = 0xFF;

}  // namespace

DeviceStore DeviceStore::factoryNew(const std::string& deviceId) {
  DeviceStore store;
  store.deviceId = deviceId;
  store.serialNumber = "SN" + deviceId.substr(deviceId.size() > 8 ? deviceId.size() - 8 : 0);
  store.buffers = {BufferFill{12, 500}, BufferFill{3, 10000}, BufferFill{0, 10000},
                   BufferFill{250, 50000}};
  store.battery = 87;
  store.mileage = 0;
  store.restoreDefaults();
  return store;
}

void DeviceStore::restoreDefaults() {
  for (int i = 0; i < kBlockCount; ++i) {
    blocks[static_cast<std::size_t>(i)].assign(kBlockSizes[static_cast<std::size_t>(i)], 0x00);
  }
  Bytes& first = blocks[0];
  const std::size_t idBytes = std::min<std::size_t>(deviceId.size(), 15);
  std::copy_n(deviceId.begin(), idBytes, first.begin() + kDeviceIdOffset);
  wifi.assign(kWifiBytes, kErased);
}

Bytes* DeviceStore::block(int number) {
  if (number < 1 || number > kBlockCount) return nullptr;
  return &blocks[static_cast<std::size_t>(number - 1)];
}

const Bytes* DeviceStore::block(int number) const {
  if (number < 1 || number > kBlockCount) return nullptr;
  return &blocks[static_cast<std::size_t>(number - 1)];
}

}  // namespace tracker::sim
