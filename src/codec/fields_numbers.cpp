// u16le, u8, index, i32le, volt100 and temp10.
#include "base/str_to_int.h"
#include "codec/fields.h"

namespace tracker {

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

std::uint16_t U16FromText(std::string_view text) {
  return static_cast<std::uint16_t>(StrToInt(text));
}

std::uint8_t U8FromText(std::string_view text) {
  return static_cast<std::uint8_t>(StrToInt(text));
}

std::string UnsignedToText(std::uint32_t value) {
  return std::to_string(value);
}

std::uint8_t IndexToByte(int itemIndex) {
  return itemIndex < 0 ? std::uint8_t{0xFF} : static_cast<std::uint8_t>(itemIndex);
}

std::int32_t I32FromText(std::string_view text) {
  return StrToInt(text);
}

std::string SignedToText(std::int32_t value) {
  return std::to_string(value);
}

// At most two characters are taken before the dot and two after it; the
// count of characters after the (last) dot sets the scale.
std::uint16_t Volt100FromText(std::string_view text) {
  std::string taken;
  int count = 0;
  bool dot = false;
  for (const char c : text) {
    if (c == '.') {
      dot = true;
      count = 0;
      continue;
    }
    if (count < 2) taken += c;
    ++count;
  }
  const std::int64_t v = StrToInt(taken);
  std::int64_t value = v;
  if (!dot || count == 0) {
    value = v * 100;
  } else if (count == 1) {
    value = v * 10;
  }
  return static_cast<std::uint16_t>(value);
}

std::string Volt100ToText(std::uint16_t value) {
  const unsigned fraction = value % 100u;
  return std::to_string(value / 100u) + "." + (fraction < 10 ? "0" : "") + std::to_string(fraction);
}

// A "-" anywhere makes the value negative; after the dot only one digit counts.
std::uint16_t Temp10FromText(std::string_view text) {
  std::string taken;
  bool negative = false;
  bool dot = false;
  int afterDot = 0;
  for (const char c : text) {
    if (c == '-') {
      negative = true;
    } else if (c == '+') {
      continue;
    } else if (c == '.') {
      dot = true;
      afterDot = 0;
    } else if (!dot) {
      taken += c;
    } else {
      if (afterDot == 0) taken += c;
      ++afterDot;
    }
  }
  if (taken.empty()) return kNoTemperature;
  std::int64_t v = StrToInt(taken);
  if (!dot || afterDot == 0) v *= 10;
  auto value = static_cast<std::uint16_t>(v);
  if (negative) value ^= 0x8000;
  return value;
}

std::string Temp10ToText(std::uint16_t value) {
  if (value == kNoTemperature) return {};
  std::string text;
  if (value & 0x8000) {
    text = "-";
    value &= 0x7FFF;
  }
  return text + std::to_string(value / 10u) + "." + std::to_string(value % 10u);
}

}  // namespace tracker
