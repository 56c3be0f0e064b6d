// Scaled decimals, u16le, u8, u32le, i32le, volt100 and temp10.
#include <limits>
#include <optional>

#include "base/field_error.h"
#include "codec/fields.h"

namespace tracker {
namespace {

// Beyond this many digits a number is out of every field's range.
constexpr int kMaxDigits = 18;

struct Decimal {
  bool negative = false;
  std::int64_t magnitude = 0;  // scaled; saturated past kMaxDigits digits
};

// One optional sign, digits, and optionally a dot with at most `scale` digits.
std::optional<Decimal> parseDecimal(std::string_view text, int scale) {
  Decimal d;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    d.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::size_t dot = text.find('.');
  const std::string_view whole = text.substr(0, dot);
  const std::string_view fraction =
      dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
  if (whole.empty() || fraction.size() > static_cast<std::size_t>(scale)) return std::nullopt;
  int digits = 0;
  const auto take = [&](std::string_view part) {
    for (const char c : part) {
      if (c < '0' || c > '9') return false;
      if (d.magnitude != 0 || c != '0') ++digits;
      if (digits <= kMaxDigits) d.magnitude = d.magnitude * 10 + (c - '0');
    }
    return true;
  };
  if (!take(whole) || !take(fraction)) return std::nullopt;
  for (auto n = fraction.size(); n < static_cast<std::size_t>(scale); ++n) d.magnitude *= 10;
  if (digits > kMaxDigits) d.magnitude = std::numeric_limits<std::int64_t>::max() / 2;
  return d;
}

std::string quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

[[noreturn]] void refuseFormat(std::string_view text, const std::string& range) {
  throw EFieldError(quoted(text) + " is not a valid value; the range is " + range);
}

[[noreturn]] void refuseRange(std::string_view text, const std::string& range) {
  throw EFieldError(std::string(text) + " is out of range " + range);
}

}  // namespace

void PutU16le(std::span<std::uint8_t> out, std::uint16_t value) {
  out[0] = static_cast<std::uint8_t>(value & 0xFF);
  out[1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t GetU16le(std::span<const std::uint8_t> in) {
  return static_cast<std::uint16_t>(in[0] | (in[1] << 8));
}

void PutU32le(std::span<std::uint8_t> out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetU32le(std::span<const std::uint8_t> in) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | in[i];
  return value;
}

std::string ScaledToText(std::int64_t value, int scale) {
  const bool negative = value < 0;
  // Unsigned, so that the smallest value has a magnitude too.
  const auto magnitude = static_cast<std::uint64_t>(value);
  std::string digits = std::to_string(negative ? 0 - magnitude : magnitude);
  if (scale == 0) return (negative ? "-" : "") + digits;
  if (digits.size() <= static_cast<std::size_t>(scale)) {
    digits.insert(0, static_cast<std::size_t>(scale) + 1 - digits.size(), '0');
  }
  digits.insert(digits.size() - static_cast<std::size_t>(scale), ".");
  return (negative ? "-" : "") + digits;
}

std::string RangeText(std::int64_t min, std::int64_t max, int scale) {
  return ScaledToText(min, scale) + "\u2013" + ScaledToText(max, scale);
}

std::int64_t ScaledFromText(std::string_view text, std::int64_t min, std::int64_t max, int scale) {
  const auto d = parseDecimal(text, scale);
  if (!d) refuseFormat(text, RangeText(min, max, scale));
  const std::int64_t value = d->negative ? -d->magnitude : d->magnitude;
  if (value < min || value > max) refuseRange(text, RangeText(min, max, scale));
  return value;
}

std::uint16_t U16FromText(std::string_view text) {
  return static_cast<std::uint16_t>(ScaledFromText(text, 0, 0xFFFF, 0));
}

std::uint8_t U8FromText(std::string_view text) {
  return static_cast<std::uint8_t>(ScaledFromText(text, 0, 0xFF, 0));
}

std::uint32_t U32FromText(std::string_view text) {
  return static_cast<std::uint32_t>(ScaledFromText(text, 0, 0xFFFFFFFF, 0));
}

std::string UnsignedToText(std::uint32_t value) {
  return std::to_string(value);
}

std::int32_t I32FromText(std::string_view text) {
  return static_cast<std::int32_t>(ScaledFromText(text, INT32_MIN, INT32_MAX, 0));
}

std::string SignedToText(std::int32_t value) {
  return std::to_string(value);
}

std::uint16_t Volt100FromText(std::string_view text) {
  return static_cast<std::uint16_t>(ScaledFromText(text, 0, 0xFFFF, 2));
}

std::string Volt100ToText(std::uint16_t value) {
  return ScaledToText(value, 2);
}

std::string Temp10Range() {
  return RangeText(-0x7FFE, 0x7FFF, 1);
}

// Sign and magnitude: "-0.0" is a value of its own (0x8000); 0xFFFF is "none".
std::uint16_t Temp10FromText(std::string_view text) {
  if (text.empty()) return kNoTemperature;
  const auto d = parseDecimal(text, 1);
  if (!d) refuseFormat(text, Temp10Range());
  if (d->magnitude > (d->negative ? 0x7FFE : 0x7FFF)) refuseRange(text, Temp10Range());
  const auto magnitude = static_cast<std::uint16_t>(d->magnitude);
  return d->negative ? static_cast<std::uint16_t>(magnitude | 0x8000) : magnitude;
}

std::string Temp10ToText(std::uint16_t value) {
  if (value == kNoTemperature) return {};
  const std::string magnitude = ScaledToText(value & 0x7FFF, 1);
  return (value & 0x8000) ? "-" + magnitude : magnitude;
}

}  // namespace tracker
