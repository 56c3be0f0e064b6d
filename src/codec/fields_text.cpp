// text(N) and sensor-id.
#include <algorithm>

#include "base/field_error.h"
#include "base/latin1.h"
#include "codec/fields.h"

namespace tracker {
namespace {

std::string readUntil(std::span<const std::uint8_t> in, bool stopAtFF) {
  std::size_t n = 0;
  while (n < in.size() && in[n] != 0x00 && !(stopAtFF && in[n] == 0xFF)) ++n;
  return FromLatin1(in.data(), n);
}

// "0".."9", "A".."F" (either case) → 0..15; -1 for anything else.
int hexValue(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

void WriteText(std::string_view text, std::span<std::uint8_t> out) {
  const std::vector<std::uint8_t> bytes = ToLatin1(text);
  if (bytes.size() > out.size()) {
    throw EFieldError(std::to_string(bytes.size()) + " characters are more than the " +
                      std::to_string(out.size()) + " that fit");
  }
  std::copy(bytes.begin(), bytes.end(), out.begin());
  std::fill(out.begin() + static_cast<std::ptrdiff_t>(bytes.size()), out.end(), 0x00);
}

std::string ReadText(std::span<const std::uint8_t> in) {
  return readUntil(in, false);
}

std::string ReadWifiText(std::span<const std::uint8_t> in) {
  return readUntil(in, true);
}

SensorId SensorIdFromText(std::string_view text) {
  SensorId id{};
  if (text.empty()) return id;
  const auto refuse = [text] {
    throw EFieldError("'" + std::string(text) + "' is not 16 hexadecimal digits");
  };
  if (text.size() != 2 * id.size()) refuse();
  for (std::size_t i = 0; i < id.size(); ++i) {
    const int high = hexValue(static_cast<std::uint8_t>(text[2 * i]));
    const int low = hexValue(static_cast<std::uint8_t>(text[2 * i + 1]));
    if (high < 0 || low < 0) refuse();
    id[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  return id;
}

std::string SensorIdToText(std::span<const std::uint8_t> in) {
  const auto all = [in](std::uint8_t b) {
    return std::all_of(in.begin(), in.end(), [b](auto x) { return x == b; });
  };
  if (all(0x00) || all(0xFF)) return {};
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (const std::uint8_t byte : in) {
    text += kHex[byte >> 4];
    text += kHex[byte & 0x0F];
  }
  return text;
}

}  // namespace tracker
