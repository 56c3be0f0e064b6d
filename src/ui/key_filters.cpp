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

bool IsControl(char32_t c) {
  return c < 0x20 || c == 0x7F;
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
  Add(r, "SensorSen", F::Digits, "2");
  Add(r, "DistanceInterval", F::Decimal, "0");
  Add(r, "LowExtBatAlarm", F::Decimal, "0");
  Add(r, "SMSTimeZone", F::SignedWhole, "0");
  // Every fence and temperature row behaves like the first one.
  for (int n = 1; n <= 8; ++n) {
    const std::string fence = "No" + std::to_string(n);
    Add(r, fence + "Radius", F::Digits, "0");
    Add(r, fence + "Lat", F::SignedDecimal, "0");
    Add(r, fence + "Long", F::SignedDecimal, "0");
    const std::string temp = "Temp" + std::to_string(n);
    Add(r, temp + "_High", F::SignedDecimal, "0");
    Add(r, temp + "_Low", F::SignedDecimal, "0");
    Add(r, temp + "_ID", F::Alphanumeric);
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
    case KeyFilter::Alphanumeric14:
      return Utf8Length(currentText) < 14 && IsAlphanumeric(typed);
    case KeyFilter::AtMost32:
      return Utf8Length(currentText) < 32;
    case KeyFilter::None:
      break;
  }
  return true;
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
