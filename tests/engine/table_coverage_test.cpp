// Every control the codec or the settings file names exists, and every control
// a user can change travels somewhere: to the tracker, into the settings file,
// or into a request.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "codec/codec.h"
#include "codec/device_info.h"
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

}  // namespace
}  // namespace tracker
