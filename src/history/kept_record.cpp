#include "history/kept_record.h"

#include <array>
#include <chrono>
#include <ctime>
#include <sstream>

#include "engine/group_sections.h"
#include "settings/ini_file.h"
#include "settings/settings_file.h"

namespace tracker {
namespace {

constexpr std::array<const char*, 10> kGroupWords = {"gprs", "main", "main", "interface", "temp",
                                                     "wifi", "auth", "geo",  "event",     "dlt"};

std::string settingsText(const MemoryControls* controls, const std::vector<Group>& groups) {
  const std::vector<std::string_view> sections = SectionsOf(groups);
  if (controls == nullptr || sections.empty()) return {};
  return SettingsFileText({}, *controls, sections);
}

// The identifiers before an RFID change, one key each, in a section of
// their own that no settings load reads (so restore refuses it).
std::string identifiersText(const std::string& identifiers) {
  IniDocument ini;
  std::istringstream lines(identifiers);
  int n = 0;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) ini.writeString("RFID", "ID" + std::to_string(++n), line);
  }
  if (n == 0) ini.writeString("RFID", "IDs", "");
  return ini.bytes();
}

}  // namespace

std::string OperationGroups(const Operation& operation) {
  if (operation.all || operation.keeps == KeepsBefore::AllGroups) return "all";
  if (operation.keeps != KeepsBefore::Groups) return {};
  return kGroupWords[static_cast<std::size_t>(operation.group)];
}

std::string UtcNow() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm utc{};
#ifdef _WIN32
  gmtime_s(&utc, &now);
#else
  gmtime_r(&now, &utc);
#endif
  std::array<char, 32> text{};
  std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text.data();
}

HistoryRecord KeptRecord(const Engine& engine, const Controls& controls, const Operation& operation,
                         const std::string& box) {
  HistoryRecord r;
  r.deviceId = controls.text("DeviceID");
  r.imei = controls.text("IMEI");
  r.sn = controls.text("SN");
  r.firmware = controls.text("Firmware");
  r.operation = std::string(operation.title);
  r.groups = OperationGroups(operation);
  const VerifyReport& report = engine.lastVerification();
  const std::string first = box.substr(0, box.find('\n'));
  r.result = first.ends_with("Completed!") && !report.failed() ? "ok" : "failed";
  r.message = box;
  if (report.ran) r.verified = !report.failed();
  for (const FieldDifference& d : report.mismatches) {
    r.differences += DifferenceLine(d, "sent", "tracker holds") + "\n";
  }
  const KeptCopies& kept = engine.kept();
  if (kept.beforeComplete) r.before = settingsText(kept.before.get(), kept.beforeGroups);
  if (kept.beforeComplete && kept.identifiers) r.before = identifiersText(*kept.identifiers);
  if (report.ran) r.after = settingsText(kept.after.get(), kept.afterGroups);
  return r;
}

}  // namespace tracker
