#include "base/str_to_int.h"

namespace tracker {

EConvertError::EConvertError(const std::string& text)
    : std::runtime_error("'" + text + "' is not a valid integer value") {}

EConvertError::EConvertError(WholeMessage, const std::string& message)
    : std::runtime_error(message) {}

std::int32_t StrToInt(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  if (pos == text.size()) throw EConvertError(std::string(text));
  // Accumulate as a negative number so that INT32_MIN fits.
  constexpr std::int64_t kMin = INT32_MIN;
  std::int64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c < '0' || c > '9') throw EConvertError(std::string(text));
    value = value * 10 - (c - '0');
    if (value < kMin) throw EConvertError(std::string(text));
  }
  if (!negative) {
    if (value == kMin) throw EConvertError(std::string(text));
    value = -value;
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace tracker
