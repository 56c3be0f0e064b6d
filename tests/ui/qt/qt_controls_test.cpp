#include "ui/qt/qt_controls.h"

#include <QLabel>
#include <QTabWidget>

#include "ui/catalogue.h"
#include "ui/controls_conformance.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

struct FormAndControls {
  TForm1 form;
  QtControls controls{&form};
};

std::shared_ptr<Controls> MakeQtControls() {
  auto both = std::make_shared<FormAndControls>();
  return std::shared_ptr<Controls>(both, &both->controls);
}

INSTANTIATE_TEST_SUITE_P(Qt, ControlsConformance,
                         ::testing::Values(ControlsFactory(MakeQtControls)));

TEST(QtControls, EveryCatalogueNameIsExactlyOneWidget) {
  TForm1 form;
  for (const ControlSpec& spec : Catalogue()) {
    const QString name = QString::fromStdString(spec.name);
    EXPECT_EQ(form.findChildren<QWidget*>(name).size(), 1) << spec.name;
    EXPECT_EQ(form.findChildren<QObject*>(name).size(), 1) << spec.name;
  }
}

TEST(QtControls, LabelsFollowTheShownState) {
  TForm1 form;
  QtControls c(&form);
  QWidget* battery = form.control("BatteryLowVolt");
  QLabel* label = CaptionLabelOf(battery);
  QLabel* unit = UnitLabelOf(battery);
  ASSERT_NE(label, nullptr);
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(label->text(), "Low Battery Alarm");
  EXPECT_EQ(unit->text(), "volt");
  EXPECT_TRUE(label->isHidden());
  c.setShown("BatteryLowVolt", true);
  EXPECT_FALSE(label->isHidden());
  EXPECT_FALSE(unit->isHidden());
  c.setShown("Speed", false);
  EXPECT_TRUE(CaptionLabelOf(form.control("Speed"))->isHidden());
  EXPECT_TRUE(UnitLabelOf(form.control("Speed"))->isHidden());
}

TEST(QtControls, ShownIsNotTheVisibleTab) {
  TForm1 form;
  form.show();
  QtControls c(&form);
  // The DLT tab is not in front, yet its controls count as shown.
  EXPECT_TRUE(c.shown("Licence1"));
  EXPECT_FALSE(c.shown("In6Mode"));
  c.setEnabled("GPRSRead", false);
  form.pageControl()->setEnabled(false);
  EXPECT_FALSE(c.enabled("GPRSRead"));
  EXPECT_TRUE(c.enabled("GPRSWrite"));
}

}  // namespace
}  // namespace tracker
