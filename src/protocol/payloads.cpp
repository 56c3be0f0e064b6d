#include "protocol/payloads.h"

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

void BuildAuthPayload(ProtocolContext& context, const Controls& controls) {
  const std::vector<std::uint8_t> code = ToLatin1(controls.text("AuthCode"));
  context.clearPayload();
  context.append(0x01);
  if (code.size() == kAuthCodeLength) {
    context.append(code);
  } else {
    context.appendZeros(kAuthCodeLength, 0xFF);
  }
}

void BuildMemoPayload(ProtocolContext& context, const Controls& controls) {
  const std::vector<std::uint8_t> list = ToLatin1(withCrLf(controls.text("RFID_Memo")));
  if (list.size() > kMaxPayload) {
    throw EPayloadTooLong("The identifier list is too long to send.");
  }
  context.clearPayload();
  context.append(list);
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

void BuildMileagePayload(ProtocolContext& context, const Controls& controls) {
  const std::uint32_t value = mileageFromText(controls.text("Mileage"));
  context.clearPayload();
  for (int shift = 0; shift < 32; shift += 8) {
    context.append(static_cast<std::uint8_t>((value >> shift) & 0xFF));
  }
}

void BuildTempSensorPayload(ProtocolContext& context, const Controls& controls) {
  const std::vector<std::uint8_t> index = ToLatin1(controls.text("Temp_Index"));
  const std::vector<std::uint8_t> name = ToLatin1(controls.text("Temp_Name"));
  context.clearPayload();
  if (index.empty()) return;
  context.append(index.front());
  if (name.empty()) return;
  context.append(',');
  const std::size_t n = std::min(name.size(), kTempNameLength);
  context.append({name.data(), n});
}

void BuildWifiReadPayload(ProtocolContext& context, std::uint8_t first, std::uint8_t count) {
  context.clearPayload();
  context.append(first);
  context.append(count);
}

void BuildEmptyPayload(ProtocolContext& context) {
  context.clearPayload();
}

}  // namespace tracker
