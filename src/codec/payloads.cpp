#include "codec/payloads.h"

#include <algorithm>
#include <vector>

#include "base/field_error.h"
#include "base/latin1.h"
#include "base/str_to_int.h"

namespace tracker {
namespace {

constexpr std::size_t kAuthCodeLength = 4;
constexpr std::size_t kTempNameLength = 16;

// Lone LF or CR become CR LF, so the tracker always sees CR LF between lines.
std::string withCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace

Bytes AuthPayload(const Controls& controls) {
  const std::vector<std::uint8_t> code = ToLatin1(controls.text("AuthCode"));
  Bytes bytes{0x01};
  if (code.size() == kAuthCodeLength) {
    bytes.insert(bytes.end(), code.begin(), code.end());
  } else {
    bytes.insert(bytes.end(), kAuthCodeLength, 0xFF);
  }
  return bytes;
}

Bytes MemoPayload(const Controls& controls) {
  Bytes list = ToLatin1(withCrLf(controls.text("RFID_Memo")));
  if (list.size() > kMaxPayload) {
    throw EPayloadTooLong("The identifier list is too long to send.");
  }
  return list;
}

namespace {

// Metres as an unsigned 32-bit number: digits only, nothing wraps.
std::uint32_t mileageFromText(const std::string& text) {
  const std::string kRange(kMileageRange);
  const bool digits =
      !text.empty() && text.size() <= 10 &&
      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!digits) {
    throw EFieldError("'" + text + "' is not a valid value; the range is " + kRange, "Mileage");
  }
  const std::uint64_t value = std::stoull(text);
  if (value > 0xFFFFFFFF) throw EFieldError(text + " is out of range " + kRange, "Mileage");
  return static_cast<std::uint32_t>(value);
}

}  // namespace

Bytes MileagePayload(const Controls& controls) {
  const std::uint32_t value = mileageFromText(controls.text("Mileage"));
  Bytes bytes;
  for (int shift = 0; shift < 32; shift += 8) {
    bytes.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
  }
  return bytes;
}

Bytes TempSensorPayload(const Controls& controls) {
  const std::vector<std::uint8_t> index = ToLatin1(controls.text("Temp_Index"));
  const std::vector<std::uint8_t> name = ToLatin1(controls.text("Temp_Name"));
  Bytes bytes;
  if (index.empty()) return bytes;
  bytes.push_back(index.front());
  if (name.empty()) return bytes;
  bytes.push_back(',');
  const std::size_t n = std::min(name.size(), kTempNameLength);
  bytes.insert(bytes.end(), name.begin(), name.begin() + static_cast<std::ptrdiff_t>(n));
  return bytes;
}

Bytes WifiReadPayload(std::uint8_t first, std::uint8_t count) {
  return {first, count};
}

}  // namespace tracker
