#pragma once
// Field-by-field comparison of two sets of control values, and the names the
// window and the command line give a field: "Main › Tow Time" or
// "[Main] Tow Time".

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codec/group_row.h"
#include "ui/controls.h"

namespace tracker {

enum class FieldNaming {
  Window,    // "Tab › Caption"; values as the window shows them
  Settings,  // "[Section] Key"; values as the settings file holds them
};

struct FieldDifference {
  std::string control;
  std::string name;
  std::string left;   // the first side's value (sent, window or tracker)
  std::string right;  // the second side's value
};

// The controls a read of the group sets, once each, in table order; with
// writtenOnly, only those the group's write also carries. Made once per group.
const std::vector<std::string>& ReadControls(Group group, bool writtenOnly);

// Every control of the settings file, in file order.
std::vector<std::string> SettingsControls();

// The controls of the settings file that writes and reads of these groups both
// carry, in file order.
std::vector<std::string> SettingsControlsOf(std::span<const Group> groups);

// Whether the control holds the same value in both: the list position (or the
// typed text when none is selected), the check state, or the text.
bool SameValue(std::string_view control, const Controls& left, const Controls& right);

// The value as the naming shows it: the window shows list items and check
// states in words, the settings file positions and flags as numbers.
std::string ValueText(std::string_view control, const Controls& controls, FieldNaming naming);

// The field's name; unique among all fields for either naming. A field the
// settings file lacks is named as the window names it.
std::string FieldName(std::string_view control, FieldNaming naming);

// The controls whose values differ, in the given order.
std::vector<FieldDifference> CompareControls(std::span<const std::string> controls,
                                             const Controls& left, const Controls& right,
                                             FieldNaming naming);

// One line a difference: "<name>: <leftWord> <left>, <rightWord> <right>"; an
// empty value shows as "".
std::string DifferenceLine(const FieldDifference& difference, std::string_view leftWord,
                           std::string_view rightWord);

}  // namespace tracker
