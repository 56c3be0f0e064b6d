#include "sim/device_info.h"

#include <algorithm>

namespace tracker::sim {
namespace {

void appendText(Bytes& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(',');
}

void appendBigEndian(Bytes& out, std::uint32_t value, int width) {
  for (int shift = (width - 1) * 8; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
  }
}

}  // namespace

Bytes deviceInfo(const DeviceStore& store, const std::string& firmware) {
  Bytes out;
  appendText(out, firmware);
  appendText(out, store.deviceId);
  appendText(out, store.serialNumber);
  for (const BufferFill& fill : store.buffers) {
    appendBigEndian(out, fill.stored, 4);
    appendBigEndian(out, fill.capacity, 4);
  }
  out.push_back(store.battery);
  appendBigEndian(out, store.mileage, 4);
  const auto count = std::min<std::size_t>(store.rfids.size(), 0xFFFF);
  appendBigEndian(out, static_cast<std::uint32_t>(count), 2);
  return out;
}

std::string firmwareFor(const std::string& model) {
  return "FW1.0-" + model;
}

}  // namespace tracker::sim
