#pragma once
// The window of the settings keys' controls, and what a key's control holds,
// for the targets that load and save settings files.

#include <string>
#include <vector>

#include "fuzz/snapshot.h"
#include "settings/settings_keys.h"
#include "ui/list_values.h"

namespace tracker::fuzz {

// The controls the settings keys fill, as the program starts.
inline MemoryControls SettingsWindow() {
  static const MemoryControls window = [] {
    std::vector<std::string> names;
    for (const SettingKey& key : SettingKeys()) names.emplace_back(key.control);
    return WindowOf(names);
  }();
  return window;
}

// What a key's control holds, as the file would hold it.
inline std::string Held(const Controls& controls, const SettingKey& key) {
  switch (key.type) {
    case SettingType::Text:
      return controls.text(key.control);
    case SettingType::Position:
      return std::to_string(ListValue(controls, key.control));
    case SettingType::Flag:
      return controls.checked(key.control) ? "1" : "0";
  }
  return {};
}

}  // namespace tracker::fuzz
