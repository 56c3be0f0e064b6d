// Every control the codec or the settings file names exists, and every control
// a user can change travels somewhere: to the tracker, into the settings file,
// or into a request.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "codec/codec.h"
#include "codec/device_info.h"
#include "codec/encodings.h"
#include "codec/group_row.h"
#include "engine/operation_table.h"
#include "settings/settings_keys.h"
#include "ui/catalogue.h"

namespace tracker {
namespace {

TEST(TableCoverage, EveryNamedControlExistsAndEveryEditableOneIsReached) {
  std::set<std::string> reached;
  for (const std::string& name : CodecControlNames()) reached.insert(name);
  for (const std::string& name : DeviceInfoControlNames()) reached.insert(name);
  for (const SettingKey& key : SettingKeys()) reached.insert(std::string(key.control));
  for (const std::string& name : reached) {
    EXPECT_NE(FindControl(name), nullptr) << name << " is named by a table but not in the window";
  }
  // Read by the request builders and the port handler.
  for (const char* name :
       {"AuthCode", "Mileage", "RFID_Memo", "Temp_Index", "Temp_Name", "ComboBox1"}) {
    reached.insert(name);
  }
  for (const ControlSpec& spec : Catalogue()) {
    const bool editable = spec.kind == ControlKind::Edit || spec.kind == ControlKind::List ||
                          spec.kind == ControlKind::Check || spec.kind == ControlKind::Memo;
    if (!editable) continue;
    EXPECT_TRUE(reached.count(spec.name)) << spec.name << " is reached by no table";
  }
}

TEST(TableCoverage, EveryOperationButtonIsAButtonOfItsOwn) {
  std::set<std::string_view> seen;
  for (const Operation& operation : Operations()) {
    if (operation.button.empty()) continue;
    const ControlSpec* c = FindControl(operation.button);
    ASSERT_NE(c, nullptr) << operation.button;
    EXPECT_EQ(c->kind, ControlKind::Button) << operation.button;
    EXPECT_TRUE(seen.insert(operation.button).second) << operation.button;
  }
  EXPECT_EQ(seen.size(), 31u);
}

// The wire's field rows, the settings keys and the window's catalogue are kept
// apart (the file's key order is not the wire's, and a key's default for a
// file that lacks it is not the window's blank start-up value), so they must
// agree on every control they share: the section of its group and one kind of
// value.
std::string_view SectionOf(Group group) {
  switch (group) {
    case Group::Gprs:
      return "GPRS";
    case Group::MainA:
    case Group::MainB:
      return "Main";
    case Group::Interface:
      return "Interface";
    case Group::Wifi:
      return "WIFI";
    case Group::Sms:
      return "Auth";
    case Group::Geo:
      return "GEO";
    case Group::Event:
      return "Event";
    case Group::Dlt:
      return "DLT";
    case Group::Temperature:
      break;
  }
  return {};  // the sensor list lives in the tracker only
}

TEST(TableCoverage, FieldRowsSettingsKeysAndCatalogueAgree) {
  std::map<std::string, const SettingKey*> keys;
  for (const SettingKey& key : SettingKeys()) keys[key.control] = &key;
  std::set<std::string> carried;
  for (Group group : AllGroups()) {
    for (const Field& field : SpecOf(group).fields) {
      if (field.control.empty() || !field.written()) continue;  // fixed or tracker-held
      carried.insert(field.control);
      const auto it = keys.find(field.control);
      if (SectionOf(group).empty()) {
        EXPECT_EQ(it, keys.end()) << field.control << " is stored though its group is not";
        continue;
      }
      if (it == keys.end()) {
        ADD_FAILURE() << field.control << " travels but no settings key stores it";
        continue;
      }
      const SettingKey& key = *it->second;
      EXPECT_EQ(key.section, SectionOf(group)) << key.key;
      const ControlSpec* control = FindControl(field.control);
      ASSERT_NE(control, nullptr) << field.control;
      if (field.encoding == &encoding::kIndex) {
        EXPECT_EQ(key.type, SettingType::Position) << key.key;
        EXPECT_EQ(control->kind, ControlKind::List) << key.key;
      } else if (field.encoding == &encoding::kFlag) {
        EXPECT_EQ(key.type, SettingType::Flag) << key.key;
        EXPECT_EQ(control->kind, ControlKind::Check) << key.key;
      } else {
        EXPECT_EQ(key.type, SettingType::Text) << key.key;
        EXPECT_EQ(control->kind, ControlKind::Edit) << key.key;
      }
    }
  }
  for (const SettingKey& key : SettingKeys()) {
    EXPECT_TRUE(carried.count(key.control)) << key.key << " is stored but never travels";
  }
}

}  // namespace
}  // namespace tracker
