#include "ui/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ui/event_rows.h"

namespace tracker {
namespace {

int CountWithPrefix(std::string_view prefix, ControlKind kind) {
  return static_cast<int>(std::count_if(Catalogue().begin(), Catalogue().end(), [&](auto& c) {
    return c.kind == kind && c.name.starts_with(prefix);
  }));
}

TEST(Catalogue, NamesAreUniqueAndFound) {
  std::set<std::string> names;
  for (const ControlSpec& c : Catalogue()) {
    EXPECT_TRUE(names.insert(c.name).second) << c.name;
    EXPECT_EQ(FindControl(c.name), &c);
  }
  EXPECT_EQ(FindControl("NoSuchControl"), nullptr);
}

TEST(Catalogue, EveryControlSitsInASectionOfItsTab) {
  for (const ControlSpec& c : Catalogue()) {
    const auto s = std::find_if(Sections().begin(), Sections().end(),
                                [&](const SectionSpec& s) { return s.id == c.section; });
    ASSERT_NE(s, Sections().end()) << c.name;
    EXPECT_EQ(s->tab, c.tab) << c.name;
  }
}

TEST(Catalogue, TabsInTheirFixedOrder) {
  const char* captions[] = {"Info", "GPRS", "Main", "Interface", "RFID", "Temp",
                            "WiFi", "Auth", "GEO",  "Event",     "DLT"};
  const char* names[] = {"TabSheet1", "TabSheet2", "TabSheet3",  "TabSheet8",
                         "TabSheet7", "TabSheet9", "TabSheet10", "TabSheet5",
                         "TabSheet4", "TabSheet6", "DLT"};
  for (int i = 0; i < kTabCount; ++i) {
    EXPECT_EQ(Tabs()[static_cast<std::size_t>(i)].caption, captions[i]);
    EXPECT_EQ(Tabs()[static_cast<std::size_t>(i)].name, names[i]);
  }
}

TEST(Catalogue, RepeatedShapesAreComplete) {
  EXPECT_EQ(CountWithPrefix("AlarmTime", ControlKind::Edit), 24);
  EXPECT_EQ(CountWithPrefix("Licence", ControlKind::Edit), 16);
  for (int n = 1; n <= 32; ++n) {
    EXPECT_NE(FindControl("WIFI" + std::to_string(n) + "SSID"), nullptr) << n;
    EXPECT_NE(FindControl("WIFI" + std::to_string(n) + "PSW"), nullptr) << n;
  }
  for (int n = 1; n <= 8; ++n) {
    const std::string f = "No" + std::to_string(n);
    for (const char* s : {"Name", "Out", "In", "Radius", "Lat", "Long"}) {
      EXPECT_NE(FindControl(f + s), nullptr) << f + s;
    }
    EXPECT_EQ(FindControl(f + "Lat")->initialText, "0.000000");
    const std::string t = "Temp" + std::to_string(n);
    for (const char* s : {"_Name", "_ID", "_High", "_Low"}) {
      EXPECT_NE(FindControl(t + s), nullptr) << t + s;
    }
  }
  // Licences four to a row; alarm times eight to a row.
  EXPECT_EQ(FindControl("Licence5")->row, 1);
  EXPECT_EQ(FindControl("AlarmTime9")->row, FindControl("AlarmTime16")->row);
  EXPECT_NE(FindControl("AlarmTime8")->row, FindControl("AlarmTime9")->row);
}

TEST(Catalogue, EventRowsHaveTheirColumnSets) {
  int checks = 0;
  for (const EventRow& row : EventRows()) {
    if (!row.nameEdit.empty()) {
      EXPECT_EQ(FindControl(row.nameEdit)->caption, EventRowLabel(row));
    }
    for (const EventColumnInfo& col : EventColumns()) {
      const bool present = FindControl(EventCheckName(row, col.column)) != nullptr;
      EXPECT_EQ(present, EventColumnPresent(row.columnSet, col.column))
          << EventCheckName(row, col.column);
      checks += present;
    }
  }
  EXPECT_EQ(CountWithPrefix("", ControlKind::Check) - 8 * 2 - 3 * 4, checks);
  EXPECT_EQ(FindControl("HeartName"), nullptr);
  EXPECT_EQ(FindControl("HeartSMS1"), nullptr);
  EXPECT_NE(FindControl("PictureGPRS2"), nullptr);
}

TEST(Catalogue, InitialStatesOfTheLayout) {
  for (const char* name : {"IntervalGPRS1", "IntervalGPRS2", "IntervalCMR1"}) {
    EXPECT_TRUE(FindControl(name)->initialChecked) << name;
    EXPECT_FALSE(FindControl(name)->initiallyEnabled) << name;
  }
  for (const char* name :
       {"ReplyGPRS1", "ReplyGPRS2", "ReplySMS1", "ReplySMS2", "ReplySMS3", "ReplyCMR1"}) {
    EXPECT_TRUE(FindControl(name)->initialChecked) << name;
  }
  EXPECT_FALSE(FindControl("IntervalSMS1")->initialChecked);
  EXPECT_FALSE(FindControl("ReportType2")->initiallyEnabled);
  EXPECT_FALSE(FindControl("BatteryLowVolt")->initiallyShown);
  EXPECT_FALSE(FindControl("RoamingInterval")->initiallyShown);
  EXPECT_FALSE(FindControl("RoamingInterval2")->initiallyShown);
  EXPECT_TRUE(FindControl("DeviceID")->readOnly);
  EXPECT_EQ(FindControl("Password")->initialText, "4826");
  EXPECT_EQ(FindControl("LowExtBatAlarm")->initialText, "11.4");
  EXPECT_EQ(FindControl("InitAll")->caption, "Default");
}

TEST(Catalogue, ListsStartOnTheirItems) {
  const ControlSpec* car = FindControl("Car_Type");
  ASSERT_EQ(car->items.size(), 30u);
  for (std::size_t i = 0; i < car->items.size(); ++i) {
    char hex[5];
    std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(i * 256));
    EXPECT_TRUE(car->items[i].starts_with(hex)) << car->items[i];
  }
  EXPECT_EQ(FindControl("ComboBox1")->items.size(), 0u);
  EXPECT_EQ(FindControl("ComboBox1")->initialIndex, -1);
  EXPECT_EQ(FindControl("In5Mode")->initialIndex, 2);
  EXPECT_EQ(FindControl("In4Mode")->initialIndex, 0);
}

TEST(Catalogue, InputRowsHaveFiveNamedControls) {
  const char* captions[] = {"Input1",      "Input2",      "Input3(AD2)",
                            "Input4(AD1)", "Input5(AD1)", "Input6(AD2)"};
  const char* labels[] = {"Label219", "Label218", "Label214", "Label215", "Label216", "Label217"};
  for (int n = 1; n <= 6; ++n) {
    EXPECT_EQ(InputCaptionLabel(n), labels[n - 1]);
    EXPECT_EQ(FindControl(InputCaptionLabel(n))->caption, captions[n - 1]);
    EXPECT_EQ(FindControl(InputTimeLabel(n))->caption, "Active Time");
    EXPECT_EQ(FindControl(InputTimeUnit(n))->caption, "ms");
    for (const std::string& name : {InputCaptionLabel(n), InputModeBox(n), InputTimeLabel(n),
                                    InputTimeEdit(n), InputTimeUnit(n)}) {
      ASSERT_NE(FindControl(name), nullptr) << name;
      EXPECT_EQ(FindControl(name)->initiallyShown, n <= 4) << name;
      EXPECT_EQ(FindControl(name)->row, n - 1) << name;
    }
  }
}

}  // namespace
}  // namespace tracker
