#include "settings/settings_file.h"

#include "settings/ini_file.h"
#include "settings/settings_keys.h"

namespace tracker {

bool LoadSettingsFile(const std::string& path, Controls& controls) {
  IniDocument ini;
  // A file that exists but cannot be read is like an empty one: every default.
  if (ini.load(path) == IniLoad::Missing) return false;
  for (const SettingKey& key : SettingKeys()) {
    switch (key.type) {
      case SettingType::Text:
        controls.setText(key.control, ini.readString(key.section, key.key, key.textDefault));
        break;
      case SettingType::Position:
        controls.setItemIndex(key.control, ini.readInt(key.section, key.key, key.numberDefault));
        break;
      case SettingType::Flag:
        controls.setChecked(key.control,
                            ini.readFlag(key.section, key.key, key.numberDefault != 0));
        break;
    }
  }
  return true;
}

void SaveSettingsFile(const std::string& path, const Controls& controls) {
  IniDocument ini;
  // Writing over a file we could not read would lose what it holds.
  if (ini.load(path) == IniLoad::Unreadable) throw EIniWriteError(path);
  for (const SettingKey& key : SettingKeys()) {
    switch (key.type) {
      case SettingType::Text:
        ini.writeString(key.section, key.key, controls.text(key.control));
        break;
      case SettingType::Position:
        ini.writeInt(key.section, key.key, controls.itemIndex(key.control));
        break;
      case SettingType::Flag:
        ini.writeFlag(key.section, key.key, controls.checked(key.control));
        break;
    }
  }
  ini.save(path);
}

}  // namespace tracker
