#include "settings/field_names.h"

#include <algorithm>

#include "settings/settings_keys.h"
#include "ui/catalogue.h"

namespace tracker {
namespace {

const SettingKey* keyOf(std::string_view control) {
  const auto& keys = SettingKeys();
  const auto it = std::find_if(keys.begin(), keys.end(),
                               [control](const SettingKey& k) { return k.control == control; });
  return it == keys.end() ? nullptr : &*it;
}

// "Auth Code:" → "Auth Code".
std::string withoutColon(std::string caption) {
  while (!caption.empty() && (caption.back() == ':' || caption.back() == ' ')) caption.pop_back();
  return caption;
}

// "Temp1_High" → "Temp1 High".
std::string spaced(std::string_view control) {
  std::string name(control);
  std::replace(name.begin(), name.end(), '_', ' ');
  return name;
}

}  // namespace

std::string WindowFieldName(std::string_view control) {
  const ControlSpec* spec = FindControl(control);
  if (spec == nullptr) return std::string(control);
  std::string name = withoutColon(spec->caption);
  if (name.empty()) {
    const SettingKey* key = keyOf(control);
    name = key != nullptr ? key->key : spaced(control);
  }
  return std::string(Tabs()[static_cast<std::size_t>(spec->tab)].caption) + " \u203A " + name;
}

std::string FileFieldName(std::string_view control) {
  const SettingKey* key = keyOf(control);
  if (key == nullptr) return WindowFieldName(control);
  return "[" + key->section + "] " + key->key;
}

}  // namespace tracker
