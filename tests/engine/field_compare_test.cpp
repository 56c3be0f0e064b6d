// Field-by-field comparison: the names fields go by, how values compare and
// show, and which groups a write carries.

#include "engine/field_compare.h"

#include <gtest/gtest.h>

#include <set>

#include "engine/read_back.h"
#include "ui/catalogue.h"
#include "ui/memory_controls.h"

namespace tracker {
namespace {

TEST(FieldNames, EveryComparedFieldHasItsOwnNameInBothNamings) {
  std::set<std::string> window;
  std::set<std::string> settings;
  for (const Group group : AllGroups()) {
    for (const std::string& control : ReadControls(group, true)) {
      const std::string tab(Tabs()[static_cast<std::size_t>(FindControl(control)->tab)].caption);
      const std::string name = FieldName(control, FieldNaming::Window);
      EXPECT_TRUE(name.starts_with(tab + " \u203A ")) << name;
      EXPECT_TRUE(window.insert(name).second) << "twice: " << name;
      EXPECT_TRUE(settings.insert(FieldName(control, FieldNaming::Settings)).second) << control;
    }
  }
  struct Case {
    const char* control;
    const char* window;
    const char* settings;
  };
  for (const Case& c : {
           Case{"TowTM", "Main \u203A Tow Time", "[Main] Tow Time"},
           Case{"Tank2Low", "Interface \u203A Tank2 \u203A Low Fuel", "[Interface] Tank2 Low Fuel"},
           Case{"WIFI1SSID", "WiFi \u203A 1 \u203A SSID", "[WIFI] WIFI1 SSID"},
           // Not in the settings file: named as in the window.
           Case{"Temp1_High", "Temp \u203A 1 \u203A High Alarm(*C)",
                "Temp \u203A 1 \u203A High Alarm(*C)"},
       }) {
    EXPECT_EQ(FieldName(c.control, FieldNaming::Window), c.window);
    EXPECT_EQ(FieldName(c.control, FieldNaming::Settings), c.settings);
  }
}

TEST(FieldValues, CompareAndShowByKindOfControl) {
  MemoryControls left;
  MemoryControls right;
  left.setText("TowTM", "30");
  left.setItemIndex("SleepMode", 2);
  right.setChecked("No1In", true);
  left.setText("APN", "same");
  right.setText("APN", "same");
  const std::vector<std::string> controls = {"APN", "TowTM", "SleepMode", "No1In"};

  const auto window = CompareControls(controls, left, right, FieldNaming::Window);
  ASSERT_EQ(window.size(), 3u);
  EXPECT_EQ(DifferenceLine(window[0], "sent", "tracker holds"),
            "Main \u203A Tow Time: sent 30, tracker holds 0");
  EXPECT_EQ(DifferenceLine(window[1], "a", "b"), "Main \u203A Sleep Mode: a Deep Sleep, b Close");
  EXPECT_EQ(DifferenceLine(window[2], "a", "b"),
            "GEO \u203A 1 \u203A In Alarm: a not checked, b checked");

  const auto file = CompareControls(controls, left, right, FieldNaming::Settings);
  ASSERT_EQ(file.size(), 3u);
  EXPECT_EQ(DifferenceLine(file[1], "tracker", "file"), "[Main] Sleep Mode: tracker 2, file 0");
  EXPECT_EQ(DifferenceLine(file[2], "tracker", "file"), "[GEO] No.1 In Alarm: tracker 0, file 1");

  // An empty value still reads; a list with nothing selected compares its typed text.
  right.setText("APN", "");
  left.setItemIndex("SleepMode", -1);
  right.setItemIndex("SleepMode", -1);
  const auto empty = CompareControls(controls, left, right, FieldNaming::Settings);
  ASSERT_EQ(empty.size(), 3u);
  EXPECT_EQ(DifferenceLine(empty[0], "tracker", "file"), "[GPRS] APN: tracker same, file \"\"");
}

TEST(FieldValues, WindowsInMemoryCompareAsThroughTheInterface) {
  // Copies of one window compare by slot; a window built from its own rows
  // has its own names and compares through the Controls interface.
  using Set = void (*)(Controls&);
  struct Case {
    const char* control;
    Set right;
    bool same;
  };
  const Set nothing = [](Controls&) {};
  for (const Case& c : {
           Case{"No1In", nothing, true},
           Case{"No1In", [](Controls& w) { w.setChecked("No1In", true); }, false},
           Case{"SleepMode", nothing, true},
           Case{"SleepMode", [](Controls& w) { w.setItemIndex("SleepMode", 2); }, false},
           Case{"SleepMode", [](Controls& w) { w.setText("SleepMode", "typed"); }, false},
           Case{"TowTM", nothing, true},
           Case{"TowTM", [](Controls& w) { w.setText("TowTM", "31"); }, false},
       }) {
    const MemoryControls left;
    MemoryControls copy;
    MemoryControls own({*FindControl(c.control)});
    c.right(copy);
    c.right(own);
    EXPECT_EQ(SameValue(c.control, left, copy), c.same) << c.control;
    EXPECT_EQ(SameValue(c.control, left, own), c.same) << c.control;
  }
}

TEST(WrittenGroups, FollowTheWriteSteps) {
  using G = std::vector<Group>;
  const auto written = [](OperationId id, bool dltShown) {
    return WrittenGroups(BuildPlan(OperationOf(id), {.dltShown = dltShown}));
  };
  EXPECT_EQ(written(OperationId::WriteMain, true), (G{Group::MainA, Group::MainB}));
  EXPECT_EQ(written(OperationId::WriteEvent, true), (G{Group::Event}));
  EXPECT_EQ(written(OperationId::WriteDlt, true), (G{Group::Dlt}));
  const G all = written(OperationId::WriteAll, true);
  EXPECT_EQ(all.size(), 10u);
  EXPECT_EQ(all.back(), Group::Dlt);
  EXPECT_EQ(written(OperationId::WriteAll, false).size(), 9u) << "DLT only while its tab shows";
}

}  // namespace
}  // namespace tracker
