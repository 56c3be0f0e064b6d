#include "ui/key_filters.h"

#include <string>
#include <unordered_map>

#include "base/latin1.h"

namespace tracker {
namespace {

bool IsDigit(char32_t c) {
  return c >= U'0' && c <= U'9';
}

bool IsAlphanumeric(char32_t c) {
  return IsDigit(c) || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}

bool IsHexadecimal(char32_t c) {
  return IsDigit(c) || (c >= U'A' && c <= U'F') || (c >= U'a' && c <= U'f');
}

bool IsControl(char32_t c) {
  return c < 0x20 || c == 0x7F;
}

// The code point of one UTF-8 character (lead byte and continuation bytes).
char32_t CodePoint(std::string_view character) {
  const auto lead = static_cast<unsigned char>(character.front());
  if (character.size() == 1) return lead;
  char32_t c = lead & (0x7F >> character.size());
  for (std::size_t i = 1; i < character.size(); ++i) {
    c = (c << 6) | (static_cast<unsigned char>(character[i]) & 0x3F);
  }
  return c;
}

using Rules = std::unordered_map<std::string, FieldRule>;

void Add(Rules& rules, std::string name, KeyFilter filter,
         std::optional<std::string_view> refill = std::nullopt) {
  rules.emplace(std::move(name), FieldRule{filter, refill});
}

Rules BuildRules() {
  using F = KeyFilter;
  Rules r;
  Add(r, "DeviceID", F::Alphanumeric14);
  for (const char* n : {"APN", "APNName", "APNPassword", "IP", "IP2", "IP3"})
    Add(r, n, F::AtMost32);
  for (const char* n : {"Port", "Port2", "Port3"}) Add(r, n, F::Digits);
  // Stop intervals behave like their sibling time intervals.
  for (const char* n : {"TimeInterval",   "TimeInterval2",   "Cmr1TimeInterval",
                        "ACCOffInterval", "ACCOffInterval2", "Cmr1ACCInterval",
                        "StopInterval",   "StopInterval2",   "Cmr1StopInterval",
                        "GPSLogTM",       "Heading",         "HeartBeatTM",
                        "Speed",          "LowSpeed",        "RFIDAuthTime",
                        "ACCOffAuthTime", "PowerSavingTM",   "Acceleration",
                        "Deceleration",   "HarshTurn"}) {
    Add(r, n, F::Digits, "0");
  }
  // Numbers that once took letters too.
  for (const char* n : {"TowTM", "IdleTM", "FatigueTM", "GSMJammed", "Mileage"}) {
    Add(r, n, F::Digits);
  }
  for (int n = 1; n <= 24; ++n) Add(r, "AlarmTime" + std::to_string(n), F::Time);
  Add(r, "SensorSen", F::Digits, "2");
  Add(r, "DistanceInterval", F::Decimal, "0");
  Add(r, "LowExtBatAlarm", F::Decimal, "0");
  Add(r, "SMSTimeZone", F::SignedWhole, "0");
  // Every fence and temperature row behaves like the first one. An emptied
  // temperature alarm stays empty: no alarm.
  for (int n = 1; n <= 8; ++n) {
    const std::string fence = "No" + std::to_string(n);
    Add(r, fence + "Radius", F::Digits, "0");
    Add(r, fence + "Lat", F::SignedDecimal, "0");
    Add(r, fence + "Long", F::SignedDecimal, "0");
    const std::string temp = "Temp" + std::to_string(n);
    Add(r, temp + "_High", F::SignedDecimal);
    Add(r, temp + "_Low", F::SignedDecimal);
    Add(r, temp + "_ID", F::Hexadecimal);
  }
  return r;
}

const Rules& TheRules() {
  static const Rules rules = BuildRules();
  return rules;
}

}  // namespace

bool KeyAccepted(KeyFilter filter, std::string_view currentText, char32_t typed) {
  if (filter == KeyFilter::None || typed == kBackspace) return true;
  if (IsControl(typed)) return false;
  switch (filter) {
    case KeyFilter::Digits:
      return IsDigit(typed);
    case KeyFilter::Decimal:
      return IsDigit(typed) || typed == U'.';
    case KeyFilter::SignedWhole:
      return IsDigit(typed) || typed == U'-';
    case KeyFilter::SignedDecimal:
      return IsDigit(typed) || typed == U'+' || typed == U'-' || typed == U'.';
    case KeyFilter::Alphanumeric:
      return IsAlphanumeric(typed);
    case KeyFilter::Hexadecimal:
      return IsHexadecimal(typed);
    case KeyFilter::Time:
      return IsDigit(typed) || typed == U':';
    case KeyFilter::Alphanumeric14:
      return Utf8Length(currentText) < 14 && IsAlphanumeric(typed);
    case KeyFilter::AtMost32:
      return Utf8Length(currentText) < 32;
    case KeyFilter::None:
      break;
  }
  return true;
}

bool KeyAccepted(const FieldRule& rule, std::string_view currentText, char32_t typed) {
  if (rule.maxLength > 0 && typed != kBackspace && Utf8Length(currentText) >= rule.maxLength) {
    return false;
  }
  return KeyAccepted(rule.filter, currentText, typed);
}

std::string PastedText(const FieldRule& rule, std::string_view currentText,
                       std::string_view pasted) {
  std::string text(currentText);
  std::string accepted;
  std::size_t at = 0;
  while (at < pasted.size()) {
    // One UTF-8 character: a lead byte and its continuation bytes.
    std::size_t end = at + 1;
    while (end < pasted.size() && (static_cast<unsigned char>(pasted[end]) & 0xC0) == 0x80) ++end;
    const std::string_view character = pasted.substr(at, end - at);
    at = end;
    const char32_t c = CodePoint(character);
    if (c == kBackspace || !KeyAccepted(rule, text, c)) continue;
    text += character;
    accepted += character;
  }
  return accepted;
}

FieldRule FieldRuleFor(std::string_view control) {
  const Rules& rules = TheRules();
  const auto it = rules.find(std::string(control));
  return it == rules.end() ? FieldRule{} : it->second;
}

std::optional<std::string_view> RefillOnExit(std::string_view control, std::string_view text) {
  if (!text.empty()) return std::nullopt;
  return FieldRuleFor(control).refill;
}

}  // namespace tracker
