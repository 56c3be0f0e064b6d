#include "codec/device_info.h"

#include <algorithm>

#include "base/latin1.h"
#include "codec/device_models.h"

namespace tracker {
namespace {

constexpr std::uint8_t kComma = 0x2C;

struct Counter {
  const char* control;
  int at;  // distance from the comma that ends the serial number
};

// a/b pairs of 4-byte numbers.
constexpr Counter kPairs[] = {
    {"SMSBuffer", 1}, {"GPRS1Buffer", 9}, {"GPRS2Buffer", 17}, {"GPSLog", 25}};
constexpr int kBatteryAt = 33;
constexpr int kMileageAt = 34;
constexpr int kRfidAt = 38;

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes), end_(bytes.size()) {}

  // Bytes from pos up to the next comma (or the end); pos ends on the comma.
  std::string scan(std::size_t& pos) const {
    const std::size_t start = pos;
    while (pos < end_ && bytes_[pos] != kComma) ++pos;
    return FromLatin1(bytes_.data() + start, pos - start);
  }
  bool holds(std::size_t at, std::size_t width) const { return at + width <= end_; }
  std::uint32_t bigEndian(std::size_t at, std::size_t width) const {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) value = (value << 8) | bytes_[at + i];
    return value;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t end_;
};

void decodeCounters(const Reader& r, std::size_t t, Controls& controls) {
  for (const Counter& pair : kPairs) {
    const std::size_t at = t + pair.at;
    if (!r.holds(at, 8)) continue;
    controls.setText(pair.control, std::to_string(r.bigEndian(at, 4)) + "/" +
                                       std::to_string(r.bigEndian(at + 4, 4)));
  }
  if (r.holds(t + kBatteryAt, 1)) {
    controls.setText("Battery", std::to_string(r.bigEndian(t + kBatteryAt, 1)));
  }
  if (r.holds(t + kMileageAt, 4)) {
    controls.setText("Mileage", std::to_string(r.bigEndian(t + kMileageAt, 4)));
  }
  if (r.holds(t + kRfidAt, 2))
    controls.setText("RFID", std::to_string(r.bigEndian(t + kRfidAt, 2)));
}

}  // namespace

void DecodeDeviceInfo(std::span<const std::uint8_t> info, Controls& controls, bool settingsLoaded) {
  const std::size_t end = info.size();
  const Reader reader(info);

  std::size_t pos = 0;
  const std::string firmware = reader.scan(pos);
  controls.setText("Firmware", firmware);
  if (const DeviceModel* model = FindDeviceModel(firmware)) {
    ApplyDeviceModel(*model, controls, settingsLoaded);
  }
  for (const char* name : {"IMEI", "SN"}) {
    if (pos < end) ++pos;  // past the comma
    controls.setText(name, reader.scan(pos));
  }
  if (pos < end) decodeCounters(reader, pos, controls);
}

std::vector<std::string> DeviceInfoControlNames() {
  std::vector<std::string> names{"Firmware", "IMEI", "SN", "Battery", "Mileage", "RFID"};
  for (const Counter& pair : kPairs) names.emplace_back(pair.control);
  return names;
}

}  // namespace tracker
