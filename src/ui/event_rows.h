#pragma once
// The rows of the Event tab: one table used by the window, the event codec and
// the settings file.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tracker {

// The fourteen check columns, in window order.
enum class EventColumn : std::uint8_t {
  GPRS1,
  GPRS2,
  SMS1,
  Call1,
  Moni1,
  SMS2,
  Call2,
  Moni2,
  SMS3,
  Call3,
  Moni3,
  OUT1,
  OUT2,
  CMR1
};
inline constexpr int kEventColumnCount = 14;

struct EventColumnInfo {
  EventColumn column;
  std::string_view controlSuffix;  // IN1 + "GPRS1" → IN1GPRS1
  std::string_view keySuffix;      // settings key suffix: "Out1", "Camera1", …
  std::string_view header;         // sub-column caption in the tab's header
};

// All fourteen columns in window order.
std::span<const EventColumnInfo, kEventColumnCount> EventColumns();

struct EventRow {
  int number;                  // event number, 0 to 57 (13 to 16 have no row)
  std::string_view caption;    // "Interval tracking"
  std::string_view nameEdit;   // "IntervalName"; empty for rows 31 and 54
  std::string_view checkStem;  // "Interval"
  int columnSet;               // 1 to 6
  // Settings file: key stem of the flags, name default, GPRS1/GPRS2 default.
  std::string_view keyStem;
  std::string_view nameDefault;
  bool gprsDefault;
};

// The 54 rows, top to bottom.
std::span<const EventRow> EventRows();

// Whether a row of the given column set has a check in that column.
bool EventColumnPresent(int columnSet, EventColumn column);

// Control name of a row's check in a column: stem + suffix.
std::string EventCheckName(const EventRow& row, EventColumn column);

// Row label text, e.g. "(0) Interval tracking".
std::string EventRowLabel(const EventRow& row);

}  // namespace tracker
