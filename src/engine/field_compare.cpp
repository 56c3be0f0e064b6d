#include "engine/field_compare.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>

#include "base/name_index.h"
#include "settings/settings_keys.h"
#include "ui/catalogue.h"
#include "ui/memory_controls.h"

namespace tracker {
namespace {

constexpr std::string_view kSeparator = " \u203A ";
constexpr std::size_t kGroupCount = static_cast<std::size_t>(Group::Dlt) + 1;

const SettingKey* keyOf(std::string_view control) {
  static const NameMap<const SettingKey*> kKeys = [] {
    NameMap<const SettingKey*> keys;
    for (const SettingKey& key : SettingKeys()) keys.emplace(key.control, &key);
    return keys;
  }();
  const auto* found = kKeys.find(control);
  return found == nullptr ? nullptr : *found;
}

ControlKind kindOf(std::string_view control) {
  const ControlSpec* spec = FindControl(control);
  return spec == nullptr ? ControlKind::Edit : spec->kind;
}

std::string tabPrefix(const ControlSpec& spec) {
  return std::string(Tabs()[static_cast<std::size_t>(spec.tab)].caption) + std::string(kSeparator);
}

bool allDigits(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A cell of a table (a section with a header label over each column and a row
// number beside each row): "row › column header"; empty for other controls.
std::string tableCellName(const ControlSpec& cell) {
  if (cell.row == 0 || !(cell.caption.empty() || allDigits(cell.caption))) return {};
  std::string header;
  std::string row;
  for (const ControlSpec& other : Catalogue()) {
    if (other.section != cell.section) continue;
    if (other.kind == ControlKind::Label && other.columnHeader && other.column == cell.column) {
      header = other.caption;
    }
    if (other.row == cell.row && allDigits(other.caption)) row = other.caption;
  }
  if (header.empty() || row.empty()) return {};
  return row + std::string(kSeparator) + header;
}

// "Tab › Caption"; a table cell "Tab › Row › Column"; where two fields of a tab share a caption,
// "Tab › Group › Caption"; where that is not enough either, the settings key or the control.
NameMap<std::string> windowNames() {
  std::vector<const ControlSpec*> specs;
  for (const ControlSpec& spec : Catalogue()) {
    if (spec.kind != ControlKind::Button && spec.kind != ControlKind::Label &&
        spec.kind != ControlKind::GroupBox) {
      specs.push_back(&spec);
    }
  }
  const auto count = [](const std::vector<std::string>& names, const std::string& name) {
    return std::count(names.begin(), names.end(), name);
  };
  std::vector<std::string> names;
  for (const ControlSpec* spec : specs) {
    const std::string cell = tableCellName(*spec);
    names.push_back(tabPrefix(*spec) + (cell.empty() ? spec->caption : cell));
  }
  std::vector<std::string> grouped = names;
  for (std::size_t i = 0; i < specs.size(); ++i) {
    const ControlSpec& spec = *specs[i];
    if (!spec.groupBox.empty() && count(names, names[i]) > 1) {
      grouped[i] = tabPrefix(spec) + spec.groupBox + std::string(kSeparator) + spec.caption;
    }
  }
  NameMap<std::string> result;
  for (std::size_t i = 0; i < specs.size(); ++i) {
    const ControlSpec& spec = *specs[i];
    std::string name = grouped[i];
    if (name == tabPrefix(spec) || count(grouped, name) > 1) {
      const SettingKey* key = keyOf(spec.name);
      name = tabPrefix(spec) + (key != nullptr ? key->key : spec.name);
    }
    result.emplace(spec.name, std::move(name));
  }
  return result;
}

std::vector<std::string> keepInFileOrder(const std::set<std::string, std::less<>>& wanted) {
  std::vector<std::string> controls;
  for (const SettingKey& key : SettingKeys()) {
    if (wanted.contains(key.control)) controls.push_back(key.control);
  }
  return controls;
}

}  // namespace

const std::vector<std::string>& ReadControls(Group group, bool writtenOnly) {
  // The tables never change: each list is made once, on first use.
  static const auto kLists = [] {
    std::array<std::array<std::vector<std::string>, 2>, kGroupCount> lists;
    for (const Group g : AllGroups()) {
      for (const bool written : {false, true}) {
        std::vector<std::string>& controls = lists[static_cast<std::size_t>(g)][written];
        for (const Field& f : SpecOf(g).fields) {
          if (f.control.empty() || !f.read() || (written && !f.written())) continue;
          if (std::find(controls.begin(), controls.end(), f.control) == controls.end()) {
            controls.push_back(f.control);
          }
        }
      }
    }
    return lists;
  }();
  return kLists[static_cast<std::size_t>(group)][writtenOnly];
}

std::vector<std::string> SettingsControls() {
  std::vector<std::string> controls;
  for (const SettingKey& key : SettingKeys()) controls.push_back(key.control);
  return controls;
}

std::vector<std::string> SettingsControlsOf(std::span<const Group> groups) {
  std::set<std::string, std::less<>> wanted;
  for (const Group group : groups) {
    for (const std::string& control : ReadControls(group, true)) wanted.insert(control);
  }
  return keepInFileOrder(wanted);
}

bool SameValue(std::string_view control, const Controls& left, const Controls& right) {
  // Two windows in memory (the copies kept, the tracker read back, a headless
  // window) answer with one lookup instead of one per value and side.
  const auto* memoryLeft = dynamic_cast<const MemoryControls*>(&left);
  const auto* memoryRight = dynamic_cast<const MemoryControls*>(&right);
  if (memoryLeft != nullptr && memoryRight != nullptr) {
    if (const std::optional<bool> same = memoryLeft->sameValue(control, *memoryRight)) return *same;
  }
  switch (kindOf(control)) {
    case ControlKind::Check:
      return left.checked(control) == right.checked(control);
    case ControlKind::List: {
      const int index = left.itemIndex(control);
      if (index != right.itemIndex(control)) return false;
      return index >= 0 || left.text(control) == right.text(control);
    }
    default:
      return left.text(control) == right.text(control);
  }
}

std::string ValueText(std::string_view control, const Controls& controls, FieldNaming naming) {
  const bool file = naming == FieldNaming::Settings;
  switch (kindOf(control)) {
    case ControlKind::Check:
      if (file) return controls.checked(control) ? "1" : "0";
      return controls.checked(control) ? "checked" : "not checked";
    case ControlKind::List: {
      const int index = controls.itemIndex(control);
      if (file && index >= 0) return std::to_string(index);
      const std::string text = controls.text(control);
      return text.empty() && !file ? "(none)" : text;
    }
    default:
      return controls.text(control);
  }
}

std::string FieldName(std::string_view control, FieldNaming naming) {
  if (naming == FieldNaming::Settings) {
    const SettingKey* key = keyOf(control);
    if (key != nullptr) return "[" + key->section + "] " + key->key;
  }
  static const auto kNames = windowNames();
  const std::string* name = kNames.find(control);
  return name == nullptr ? std::string(control) : *name;
}

std::vector<FieldDifference> CompareControls(std::span<const std::string> controls,
                                             const Controls& left, const Controls& right,
                                             FieldNaming naming) {
  std::vector<FieldDifference> differences;
  for (const std::string& control : controls) {
    if (SameValue(control, left, right)) continue;
    differences.push_back({control, FieldName(control, naming), ValueText(control, left, naming),
                           ValueText(control, right, naming)});
  }
  return differences;
}

std::string DifferenceLine(const FieldDifference& difference, std::string_view leftWord,
                           std::string_view rightWord) {
  // An empty value shows as "" so that the line still reads.
  const auto shown = [](const std::string& value) { return value.empty() ? "\"\"" : value; };
  return difference.name + ": " + std::string(leftWord) + " " + shown(difference.left) + ", " +
         std::string(rightWord) + " " + shown(difference.right);
}

}  // namespace tracker
