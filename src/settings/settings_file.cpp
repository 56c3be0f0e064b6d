#include "settings/settings_file.h"

#include <algorithm>

#include "settings/ini_file.h"
#include "settings/settings_keys.h"
#include "ui/list_values.h"

namespace tracker {
namespace {

// The file as a document; throws when it exists but cannot be used.
IniDocument loadDocument(const std::string& path, bool& exists) {
  IniDocument ini;
  const IniLoad load = ini.load(path);
  if (load == IniLoad::Unreadable) throw ESettingsReadError(path, ini.loadProblem());
  exists = load == IniLoad::Loaded;
  return ini;
}

IniDocument documentOfText(std::string_view text, const std::string& name) {
  IniDocument ini;
  if (ini.loadText(text) == IniLoad::Unreadable) throw ESettingsReadError(name, ini.loadProblem());
  return ini;
}

void readKey(const IniDocument& ini, const SettingKey& key, Controls& controls) {
  switch (key.type) {
    case SettingType::Text:
      controls.setText(key.control, ini.readString(key.section, key.key, key.textDefault));
      break;
    case SettingType::Position:
      SetListValue(controls, key.control, ini.readInt(key.section, key.key, key.numberDefault));
      break;
    case SettingType::Flag:
      controls.setChecked(key.control, ini.readFlag(key.section, key.key, key.numberDefault != 0));
      break;
  }
}

std::size_t Position(const SettingKey& key) {
  return static_cast<std::size_t>(&key - SettingKeys().data());
}

// What the file holds of the program's: its sections, the keys it lacks in
// them, and, when asked, which keys it holds (by position in the table).
// Walks the file's keys, not the table's: a file holds few of the keys.
SettingsHeld heldBy(const IniDocument& ini, std::vector<bool>* holds = nullptr) {
  SettingsHeld held;
  held.exists = true;
  std::vector<bool> found(SettingKeys().size());
  for (const std::string_view section : SettingSections()) {
    if (!ini.holds(section)) continue;
    held.sections.push_back(section);
    for (const std::string_view name : ini.keyNames(section)) {
      if (const SettingKey* key = FindSettingKey(section, name)) {
        found[Position(*key)] = true;
      }
    }
  }
  for (const std::string_view section : held.sections) {
    for (const SettingKey& key : SectionKeys(section)) {
      if (!found[Position(key)]) held.missing.push_back(&key);
    }
  }
  if (holds != nullptr) *holds = std::move(found);
  return held;
}

SettingsHeld loadHeld(const IniDocument& ini, Controls& controls) {
  std::vector<bool> holds;
  SettingsHeld held = heldBy(ini, &holds);
  for (const std::string_view section : held.sections) {
    for (const SettingKey& key : SectionKeys(section)) {
      if (holds[Position(key)]) readKey(ini, key, controls);
    }
  }
  return held;
}

void writeKeys(IniDocument& ini, const Controls& controls,
               const std::vector<std::string_view>& sections) {
  for (const SettingKey& key : SettingKeys()) {
    if (!sections.empty() &&
        std::find(sections.begin(), sections.end(), key.section) == sections.end()) {
      continue;
    }
    switch (key.type) {
      case SettingType::Text:
        ini.writeString(key.section, key.key, controls.text(key.control));
        break;
      case SettingType::Position:
        ini.writeInt(key.section, key.key, ListValue(controls, key.control));
        break;
      case SettingType::Flag:
        ini.writeFlag(key.section, key.key, controls.checked(key.control));
        break;
    }
  }
}

}  // namespace

ESettingsReadError::ESettingsReadError(const std::string& path, const std::string& reason)
    : std::runtime_error("Cannot read " + path + ": " + reason) {}

bool LoadSettingsFile(const std::string& path, Controls& controls) {
  bool exists = false;
  const IniDocument ini = loadDocument(path, exists);
  if (!exists) return false;
  for (const SettingKey& key : SettingKeys()) readKey(ini, key, controls);
  return true;
}

bool SettingsHeld::holds(std::string_view section) const {
  return std::find(sections.begin(), sections.end(), section) != sections.end();
}

std::string LackingSectionsLine(const SettingsHeld& held, std::string_view name) {
  std::string lacking;
  for (const std::string_view section : SettingSections()) {
    if (!held.holds(section))
      lacking += (lacking.empty() ? "[" : ", [") + std::string(section) + "]";
  }
  if (lacking.empty()) return {};
  return std::string(name) + " holds no " + lacking + ": left as they are";
}

std::vector<std::string> KeptKeyLines(const SettingsHeld& held, std::string_view name) {
  std::vector<std::string> lines;
  for (const SettingKey* key : held.missing) {
    lines.push_back("[" + key->section + "] " + key->key + ": not in " + std::string(name) +
                    ", kept");
  }
  return lines;
}

SettingsHeld LoadHeldSettings(const std::string& path, Controls& controls) {
  bool exists = false;
  const IniDocument ini = loadDocument(path, exists);
  if (!exists) return {};
  return loadHeld(ini, controls);
}

SettingsHeld LoadHeldSettingsText(std::string_view bytes, Controls& controls) {
  return loadHeld(IniDocument(bytes), controls);
}

SettingsHeld InspectSettingsText(std::string_view bytes) {
  return heldBy(IniDocument(bytes));
}

SettingsHeld InspectSettingsFile(const std::string& path) {
  bool exists = false;
  const IniDocument ini = loadDocument(path, exists);
  if (!exists) return {};
  return heldBy(ini);
}

void LoadSettingsText(std::string_view text, const std::string& name, Controls& controls) {
  const IniDocument ini = documentOfText(text, name);
  for (const SettingKey& key : SettingKeys()) readKey(ini, key, controls);
}

std::string SettingsFileText(const std::string& path, const Controls& controls,
                             const std::vector<std::string_view>& sections) {
  bool exists = false;
  IniDocument ini = path.empty() ? IniDocument() : loadDocument(path, exists);
  writeKeys(ini, controls, sections);
  return ini.bytes();
}

std::string SavedSettingsText(std::string_view text, const std::string& name,
                              const Controls& controls,
                              const std::vector<std::string_view>& sections) {
  IniDocument ini = documentOfText(text, name);
  writeKeys(ini, controls, sections);
  return ini.bytes();
}

void SaveSettingsSections(const std::string& path, const Controls& controls,
                          const std::vector<std::string_view>& sections) {
  bool exists = false;
  IniDocument ini;
  try {
    ini = loadDocument(path, exists);
  } catch (const ESettingsReadError&) {
    // Writing over a file we could not read would lose what it holds.
    throw EIniWriteError(path);
  }
  writeKeys(ini, controls, sections);
  ini.save(path);
}

void SaveSettingsFile(const std::string& path, const Controls& controls) {
  SaveSettingsSections(path, controls, {});
}

}  // namespace tracker
