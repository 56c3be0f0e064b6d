// The window against tracker-sim: changed marks and the title "*", Compare
// with Tracker's marks, and read-back verification after writing.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "app/e2e_processes.h"
#include "app/editor/box_answerer.h"
#include "app/editor/editor_controller.h"
#include "app/editor/event_pump.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
  return test::PumpUntil(done, timeoutMs);
}

using BoxAnswerer = test::Boxes;

class EditorReadBackTest : public ::testing::Test {
 protected:
  explicit EditorReadBackTest(std::vector<std::string> simArgs = {}) : sim(std::move(simArgs)) {}

  void SetUp() override {
    Preferences(QString()).rememberVerifyAfterWriting(true);
    controller = std::make_unique<EditorController>(form, ports);
    controller->FormCreate("/nonexistent/Tracker.ini");
    form.button("OpenPort")->click();
    ASSERT_TRUE(pumpUntil([&] { return !text("DeviceID").empty(); }));
    ASSERT_TRUE(
        pumpUntil([&] { return controller->engine().state().activity != Activity::Identifying; }));
    run("ReadAll", "Read All Completed!");
  }

  // Clicks a button and waits for the box the operation ends with.
  void run(const char* button, const std::string& box) {
    boxes.texts.clear();
    form.button(button)->click();
    ASSERT_TRUE(pumpUntil([&] { return !boxes.texts.empty(); })) << button;
    EXPECT_EQ(boxes.texts.back(), box);
  }
  std::string text(const char* name) const {
    return form.findChild<QLineEdit*>(name)->text().toStdString();
  }
  void edit(const char* name, const char* value) {
    form.findChild<QLineEdit*>(name)->setText(value);
  }
  QString tabText(int tab) const { return form.pageControl()->tabText(tab); }
  QColor base(const char* name) const {
    return form.control(name)->palette().color(QPalette::Base);
  }

  test::SimProcess sim;
  FixedPortEnumerator ports{{PortInfo{sim.port(), "sim", 0, 0, false}}};
  TForm1 form;
  std::unique_ptr<EditorController> controller;
  BoxAnswerer boxes;
};

constexpr int kMainTab = 2;
const QString kTitle = QStringLiteral("Kelvorin_Parameter_Editor_DLT_V2.4");

TEST_F(EditorReadBackTest, EditsMarkFieldTabAndTitleUntilWrittenOrUndone) {
  FieldMarks& marks = controller->readBack().marks();
  EXPECT_EQ(form.windowTitle(), kTitle) << "a Read leaves nothing changed";
  const QColor plain = base("TowTM");

  edit("TowTM", "30");
  EXPECT_TRUE(marks.changed("TowTM"));
  EXPECT_EQ(tabText(kMainTab), "Main *");
  EXPECT_EQ(form.windowTitle(), "*" + kTitle);
  EXPECT_EQ(base("TowTM"), FieldMarks::ChangedTint(form.palette()));
  edit("TowTM", "0");
  EXPECT_FALSE(marks.changed("TowTM")) << "back to the value read";
  EXPECT_EQ(tabText(kMainTab), "Main");
  EXPECT_EQ(form.windowTitle(), kTitle);
  EXPECT_EQ(base("TowTM"), plain);

  edit("TowTM", "30");
  edit("APN", "fleet.example");
  run("MainWrite", "Write Main Completed!\nVerified");
  EXPECT_FALSE(marks.changed("TowTM"));
  EXPECT_EQ(tabText(kMainTab), "Main");
  EXPECT_TRUE(marks.changed("APN")) << "the GPRS group was not written";
  EXPECT_EQ(form.windowTitle(), "*" + kTitle);

  // Load Settings and Exit ask while changes are neither written nor saved;
  // No keeps everything (Load Settings shows no file dialog).
  boxes.answer = QMessageBox::No;
  boxes.texts.clear();
  form.loadSettingsAction()->trigger();
  form.exitAction()->trigger();
  ASSERT_EQ(boxes.texts.size(), 2u);
  EXPECT_EQ(boxes.texts[0], boxes.texts[1]);
  EXPECT_EQ(boxes.texts[0],
            "The window holds changes that are neither written nor saved. Discard them?");
  EXPECT_TRUE(controller->comm().isOpen());
  boxes.answer = QMessageBox::Yes;
  form.exitAction()->trigger();
  EXPECT_EQ(boxes.texts.size(), 3u) << "asked once";
  EXPECT_FALSE(controller->comm().isOpen());
}

TEST_F(EditorReadBackTest, CompareMarksWhatDiffersAndLeavesTheWindowAlone) {
  FieldMarks& marks = controller->readBack().marks();
  edit("TowTM", "30");
  edit("APN", "fleet.example");
  boxes.texts.clear();
  controller->readBack().compareAction()->trigger();
  ASSERT_TRUE(pumpUntil([&] { return !boxes.texts.empty(); }));
  EXPECT_EQ(boxes.texts.back(),
            "Compare with Tracker Completed!\n2 fields differ from the tracker.");
  EXPECT_EQ(text("TowTM"), "30") << "the window keeps its values";
  EXPECT_TRUE(marks.differs("TowTM"));
  EXPECT_TRUE(marks.differs("APN"));
  EXPECT_FALSE(marks.differs("Speed"));
  EXPECT_EQ(marks.differCount(), 2);
  EXPECT_EQ(base("TowTM"), FieldMarks::DiffersTint(form.palette()));
  EXPECT_TRUE(form.control("TowTM")->toolTip().contains("Tracker holds: 0"));
  EXPECT_TRUE(form.control("APN")->toolTip().contains("Tracker holds: \"\""));
  const auto* status = form.findChild<QLabel*>("CompareStatus");
  EXPECT_EQ(status->text(), "2 fields differ from the tracker");
  EXPECT_TRUE(status->isVisibleTo(&form));

  form.findChild<QToolButton*>("ClearCompareMarksButton")->click();
  EXPECT_EQ(marks.differCount(), 0);
  EXPECT_FALSE(status->isVisibleTo(&form));
  EXPECT_EQ(base("TowTM"), FieldMarks::ChangedTint(form.palette())) << "still changed";
}

TEST(VerifySetting, IsRememberedBetweenRuns) {
  FixedPortEnumerator none{{}};
  for (const bool on : {false, true}) {
    Preferences(QString()).rememberVerifyAfterWriting(on);
    TForm1 form;
    EditorController controller(form, none);
    EXPECT_EQ(controller.readBack().verifyAction()->isChecked(), on);
    EXPECT_EQ(controller.engine().verifyAfterWriting(), on);
  }
}

TEST(FieldMarkTints, StandApartInLightAndDarkPalettes) {
  for (const auto& [base, text] : {std::pair{QColor(Qt::white), QColor(Qt::black)},
                                   std::pair{QColor(0x2a, 0x2a, 0x2a), QColor(Qt::white)}}) {
    QPalette palette;
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Highlight, QColor(0x30, 0x8c, 0xc6));
    const QColor changed = FieldMarks::ChangedTint(palette);
    const QColor differs = FieldMarks::DiffersTint(palette);
    EXPECT_NE(changed, base);
    EXPECT_NE(differs, base);
    EXPECT_NE(changed, differs);
    // The text stays readable on either mark.
    for (const QColor& tint : {changed, differs}) {
      EXPECT_GT(std::abs(tint.lightnessF() - text.lightnessF()), 0.4) << tint.name().toStdString();
    }
  }
}

class EditorForgetfulTrackerTest : public EditorReadBackTest {
 protected:
  EditorForgetfulTrackerTest() : EditorReadBackTest({"--forget-writes", "2"}) {}
};

TEST_F(EditorForgetfulTrackerTest, VerifyNamesWhatTheTrackerDidNotKeepUnlessSwitchedOff) {
  EXPECT_TRUE(controller->readBack().verifyAction()->isChecked()) << "on by default";
  edit("TowTM", "30");
  run("MainWrite",
      "Write Main Completed!\nVerify failed:\nMain \u203A Tow Time: sent 30, tracker holds 0");
  EXPECT_EQ(form.panelText(1), "Verify Error");
  EXPECT_EQ(text("TowTM"), "30") << "the read-back leaves the window alone";
  EXPECT_TRUE(controller->readBack().marks().changed("TowTM")) << "the tracker does not hold it";

  controller->readBack().verifyAction()->trigger();
  EXPECT_FALSE(Preferences(QString()).verifyAfterWriting()) << "remembered";
  run("MainWrite", "Write Main Completed!");
  EXPECT_EQ(form.panelText(1), "Write Main OK");
}

}  // namespace
}  // namespace tracker
