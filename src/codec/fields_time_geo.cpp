// hhmm, the SMS time zone and deg6.
#include <optional>

#include "base/field_error.h"
#include "codec/fields.h"

namespace tracker {
namespace {

constexpr std::int64_t kMaxTime = kNoTime - 1;

std::string twoDigits(std::int64_t value) {
  return (value < 10 ? "0" : "") + std::to_string(value);
}

// "H:MM", hours of any length, minutes 00 to 59; the whole minutes or nothing.
std::optional<std::int64_t> hoursAndMinutes(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0 || text.size() - colon != 3) {
    return std::nullopt;
  }
  std::int64_t hours = 0;
  for (const char c : text.substr(0, colon)) {
    if (c < '0' || c > '9' || hours > kMaxTime) return std::nullopt;
    hours = hours * 10 + (c - '0');
  }
  const char m1 = text[colon + 1];
  const char m2 = text[colon + 2];
  if (m1 < '0' || m1 > '5' || m2 < '0' || m2 > '9') return std::nullopt;
  return hours * 60 + (m1 - '0') * 10 + (m2 - '0');
}

std::string minutesText(std::int64_t minutes) {
  return twoDigits(minutes / 60) + ":" + twoDigits(minutes % 60);
}

}  // namespace

std::string HhmmRange() {
  return minutesText(0) + "\u2013" + minutesText(kMaxTime);
}

std::uint16_t HhmmFromText(std::string_view text) {
  if (text.empty()) return kNoTime;
  const auto minutes = hoursAndMinutes(text);
  if (!minutes) {
    throw EFieldError("'" + std::string(text) + "' is not a time; the range is " + HhmmRange());
  }
  if (*minutes > kMaxTime) throw EFieldError(std::string(text) + " is out of range " + HhmmRange());
  return static_cast<std::uint16_t>(*minutes);
}

std::string HhmmToText(std::uint16_t value) {
  if (value == kNoTime) return {};
  return minutesText(value);
}

std::string TimeZoneRange() {
  return RangeText(INT32_MIN / 60, INT32_MAX / 60, 0);
}

// Minutes, or minutes ":" seconds for a zone that is not whole minutes.
std::int32_t TimeZoneFromText(std::string_view text) {
  const std::size_t colon = text.find(':');
  std::int64_t seconds = 0;
  if (colon == std::string_view::npos) {
    seconds = ScaledFromText(text, INT32_MIN / 60, INT32_MAX / 60, 0) * 60;
  } else {
    const std::int64_t minutes =
        ScaledFromText(text.substr(0, colon), INT32_MIN / 60 - 1, INT32_MAX / 60, 0);
    const std::string_view rest = text.substr(colon + 1);
    if (rest.size() != 2 || rest.front() == '-' || rest.front() == '+') {
      throw EFieldError("'" + std::string(text) + "' is not a valid value; the range is " +
                        TimeZoneRange());
    }
    const std::int64_t extra = ScaledFromText(rest, 0, 59, 0);
    seconds = minutes * 60 + (text.front() == '-' ? -extra : extra);
  }
  if (seconds < INT32_MIN || seconds > INT32_MAX) {
    throw EFieldError(std::string(text) + " is out of range " + TimeZoneRange());
  }
  return static_cast<std::int32_t>(seconds);
}

std::string TimeZoneToText(std::int32_t seconds) {
  const std::int64_t v = seconds;
  const std::int64_t magnitude = v < 0 ? -v : v;
  std::string text = (v < 0 ? "-" : "") + std::to_string(magnitude / 60);
  if (magnitude % 60 != 0) text += ":" + twoDigits(magnitude % 60);
  return text;
}

std::int32_t Deg6FromText(std::string_view text) {
  return static_cast<std::int32_t>(ScaledFromText(text, INT32_MIN, INT32_MAX, 6));
}

// A fence centre lies on the globe: latitude within ±90°, longitude within ±180°.
std::int32_t LatitudeFromText(std::string_view text) {
  return static_cast<std::int32_t>(ScaledFromText(text, -90000000, 90000000, 6));
}

std::int32_t LongitudeFromText(std::string_view text) {
  return static_cast<std::int32_t>(ScaledFromText(text, -180000000, 180000000, 6));
}

std::string Deg6ToText(std::int32_t value) {
  return ScaledToText(value, 6);
}

}  // namespace tracker
