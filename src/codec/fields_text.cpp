// text(N) and sensor-id.
#include <algorithm>

#include "base/latin1.h"
#include "codec/fields.h"

namespace tracker {
namespace {

std::string readUntil(std::span<const std::uint8_t> in, bool stopAtFF) {
  std::size_t n = 0;
  while (n < in.size() && in[n] != 0x00 && !(stopAtFF && in[n] == 0xFF)) ++n;
  return FromLatin1(in.data(), n);
}

// "0".."9" → 0..9, letters → 10..35 (either case); -1 for anything else.
int characterValue(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  return -1;
}

}  // namespace

void WriteText(std::string_view text, std::span<std::uint8_t> out) {
  const std::vector<std::uint8_t> bytes = ToLatin1(text);
  const std::size_t n = std::min(bytes.size(), out.size());
  std::copy_n(bytes.begin(), n, out.begin());
  std::fill(out.begin() + static_cast<std::ptrdiff_t>(n), out.end(), 0x00);
}

std::string ReadText(std::span<const std::uint8_t> in) {
  return readUntil(in, false);
}

std::string ReadWifiText(std::span<const std::uint8_t> in) {
  return readUntil(in, true);
}

SensorId SensorIdFromText(std::string_view text) {
  SensorId id{};
  const std::vector<std::uint8_t> chars = ToLatin1(text);
  if (chars.size() != 2 * id.size()) return id;
  for (std::size_t i = 0; i < id.size(); ++i) {
    int accumulator = 0;
    const int first = characterValue(chars[2 * i]);
    const int second = characterValue(chars[2 * i + 1]);
    if (first >= 0) accumulator = first;
    if (second >= 0) accumulator = (accumulator * 16 + second) % 256;
    id[i] = static_cast<std::uint8_t>(accumulator);
  }
  return id;
}

std::string SensorIdToText(std::span<const std::uint8_t> in) {
  const auto zeros = std::count(in.begin(), in.end(), std::uint8_t{0});
  if (zeros > 6) return {};
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (const std::uint8_t byte : in) {
    text += kHex[byte >> 4];
    text += kHex[byte & 0x0F];
  }
  return text;
}

}  // namespace tracker
