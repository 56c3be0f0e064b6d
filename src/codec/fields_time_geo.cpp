// hhmm, the SMS time zone and deg6.
#include "base/str_to_int.h"
#include "codec/fields.h"

namespace tracker {
namespace {

std::string twoDigits(unsigned value) {
  return (value < 10 ? "0" : "") + std::to_string(value);
}

// A leading "-" or "+" is taken off; returns whether it was "-".
bool takeSign(std::string_view& text) {
  if (text.empty()) return false;
  if (text.front() == '-') {
    text.remove_prefix(1);
    return true;
  }
  if (text.front() == '+') text.remove_prefix(1);
  return false;
}

}  // namespace

std::uint16_t HhmmFromText(std::string_view text) {
  if (text.empty()) return kNoTime;
  const std::size_t colon = text.find(':');
  const std::string_view hours = text.substr(0, colon).substr(0, 2);
  const std::string_view minutes =
      colon == std::string_view::npos ? std::string_view{} : text.substr(colon + 1).substr(0, 2);
  const std::int32_t h = StrToInt(hours);
  const std::int32_t m = StrToInt(minutes);
  return static_cast<std::uint16_t>(h * 60 + (static_cast<std::uint32_t>(m) % 256u));
}

std::string HhmmToText(std::uint16_t value) {
  if (value == kNoTime) return {};
  const unsigned hours = (value / 60u) % 256u;
  const unsigned minutes = (value - 60u * hours) % 256u;
  return twoDigits(hours) + ":" + twoDigits(minutes);
}

std::int32_t TimeZoneFromText(std::string_view text) {
  const bool negative = takeSign(text);
  const std::int64_t seconds = static_cast<std::int64_t>(StrToInt(text)) * 60;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(negative ? -seconds : seconds));
}

std::string TimeZoneToText(std::int32_t seconds) {
  const std::int64_t v = seconds;
  if (v < 0) return "-" + std::to_string(-v / 60);
  return std::to_string(v / 60);
}

// An empty text, or one that starts with the dot, fails in the whole-degree
// conversion; fraction digits beyond the sixth are dropped, not rounded.
std::int32_t Deg6FromText(std::string_view text) {
  const bool negative = takeSign(text);
  const std::size_t dot = text.find('.');
  std::int64_t v = static_cast<std::int64_t>(StrToInt(text.substr(0, dot))) * 1000000;
  if (dot != std::string_view::npos && dot + 1 < text.size()) {
    std::string fraction(text.substr(dot + 1, 6));
    fraction.resize(6, '0');
    v += StrToInt(fraction);
  }
  if (negative) v = -v;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

std::string Deg6ToText(std::int32_t value) {
  std::int64_t v = value;
  std::string text;
  if (v < 0) {
    text = "-";
    v = -v;
  }
  const std::string fraction = std::to_string(v % 1000000);
  return text + std::to_string((v / 1000000) % 256) + "." + std::string(6 - fraction.size(), '0') +
         fraction;
}

}  // namespace tracker
