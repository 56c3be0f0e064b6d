#pragma once
// The keys of the settings file: which control each key stores, in which
// section, as which type, with which default. Load and save walk this one
// table in its order.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tracker {

enum class SettingType {
  Text,      // the control's text
  Position,  // a list's selected item position, -1 for none
  Flag,      // a check box's state
};

struct SettingKey {
  std::string section;
  std::string key;
  SettingType type = SettingType::Text;
  std::string textDefault;  // Text keys
  int numberDefault = 0;    // Position keys; Flag keys: 1 set, 0 clear
  std::string control;
};

// The sections in the order both operations visit them.
std::span<const std::string_view> SettingSections();

// Every key, section by section, in file order.
const std::vector<SettingKey>& SettingKeys();

// The keys of one of the sections, in file order; none for another name.
std::span<const SettingKey> SectionKeys(std::string_view section);

// The key of a section by name, as the file names them (ASCII case does not
// matter); nothing for a key that is not the program's.
const SettingKey* FindSettingKey(std::string_view section, std::string_view key);

}  // namespace tracker
