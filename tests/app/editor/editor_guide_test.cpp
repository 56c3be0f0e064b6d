// The window guiding the technician, against tracker-sim: finding the
// tracker, values refused while typing, stale compare marks, Read All cut
// short, Write All of start-up values, Find, Undo, revert and the Changes dock.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>

#include "app/e2e_processes.h"
#include "app/editor/box_answerer.h"
#include "app/editor/changes_dock.h"
#include "app/editor/editor_aids.h"
#include "app/editor/editor_controller.h"
#include "app/editor/event_pump.h"
#include "app/editor/find_bar.h"
#include "app/editor/find_tracker_view.h"
#include "app/editor/traffic_dock.h"
#include "app/editor/undo_stack.h"
#include "app/editor/write_changes.h"
#include "serial/pty_pair.h"
#include "ui/qt/list_box.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
  return test::PumpUntil(done, timeoutMs);
}

using Boxes = test::Boxes;

std::string text(const TForm1& form, const char* name) {
  return form.findChild<QLineEdit*>(name)->text().toStdString();
}

void type(TForm1& form, const char* name, const char* value) {
  auto* edit = form.findChild<QLineEdit*>(name);
  edit->setText(value);
  emit edit->editingFinished();  // the technician leaves the field
}

// A window whose port list holds the simulator between two silent ports.
class GuideTest : public ::testing::Test {
 protected:
  explicit GuideTest(std::vector<std::string> simArgs = {}) : sim(std::move(simArgs)) {}

  void open() {
    controller.FormCreate("/nonexistent/Tracker.ini");
    form.portBox()->setTypedText(QString::fromStdString(sim.port()));
    form.button("OpenPort")->click();
    ASSERT_TRUE(pumpUntil([&] { return !text(form, "DeviceID").empty(); }));
    ASSERT_TRUE(
        pumpUntil([&] { return controller.engine().state().activity != Activity::Identifying; }));
  }
  void run(const char* button, const std::string& box) {
    boxes.texts.clear();
    form.button(button)->click();
    ASSERT_TRUE(pumpUntil([&] { return !boxes.texts.empty() && !controller.engine().busy(); }))
        << button;
    EXPECT_EQ(boxes.texts.back(), box);
  }

  test::PtyPair silent1;
  test::SimProcess sim;
  test::PtyPair silent2;
  FixedPortEnumerator ports{{PortInfo{silent1.path(), "silent", 0, 0, false},
                             PortInfo{sim.port(), "sim", 0, 0, false},
                             PortInfo{silent2.path(), "silent", 0, 0, false}}};
  TForm1 form;
  EditorController controller{form, ports};
  Boxes boxes;
};

class CodedTrackerTest : public GuideTest {
 protected:
  CodedTrackerTest() : GuideTest({"--code", "1234"}) {}
};

TEST_F(CodedTrackerTest, FindsTheTrackerNamesASilentPortAndTriesATypedCodeAtOnce) {
  controller.FormCreate("/nonexistent/Tracker.ini");
  EXPECT_EQ(form.portBox()->currentText().toStdString(), silent1.path());

  // Find Tracker selects the simulator's port, among silent ones, and names it.
  form.findChild<QAbstractButton*>("FindTracker")->click();
  ASSERT_TRUE(
      pumpUntil([&] { return form.findChild<QAbstractButton*>("FindTracker")->isEnabled(); }));
  EXPECT_EQ(form.portBox()->currentText().toStdString(), sim.port());
  EXPECT_TRUE(boxes.texts.empty());
  const std::string named = form.panelText(1).toStdString();
  EXPECT_TRUE(named.starts_with("Tracker ") &&
              named.ends_with(" on " + sim.port() + " (the code was refused)"))
      << named;

  // A silent port is named within 3 s, and keeps being named.
  form.portBox()->setTypedText(QString::fromStdString(silent2.path()));
  form.button("OpenPort")->click();
  ASSERT_TRUE(pumpUntil([&] { return form.panelText(0) == "No answer"; }, 3000));
  EXPECT_EQ(form.panelText(1).toStdString(),
            "No tracker answers on " + silent2.path() +
                ": check the port, the cable and the tracker's power.");
  test::PumpUntil([] { return false; }, 1200);
  EXPECT_EQ(form.panelText(0), "No answer");
  form.button("OpenPort")->click();

  // The tracker refuses the empty code; the right one typed while open is tried.
  form.portBox()->setTypedText(QString::fromStdString(sim.port()));
  form.button("OpenPort")->click();
  ASSERT_TRUE(pumpUntil([&] { return form.panelText(0) == "Auth Code Error"; }));
  ASSERT_TRUE(pumpUntil([&] { return !boxes.texts.empty(); }));
  EXPECT_NE(boxes.texts.back().find("\"Auth Code\""), std::string::npos) << boxes.texts.back();
  auto* code = form.findChild<QLineEdit*>("ToolBarAuthCode");  // the toolbar's twin
  code->setText("1234");
  emit code->textEdited("1234");
  emit code->editingFinished();
  ASSERT_TRUE(pumpUntil([&] { return form.panelText(0) == "Connected"; }, 1000));
}

TEST_F(GuideTest, RangesAreRefusedWhileTypingAndStaleCompareMarksGo) {
  open();
  run("ReadAll", "Read All Completed!");
  FieldMarks& marks = controller.readBack().marks();
  // Off the globe: tinted at once with the range, and Write refuses it.
  form.findChild<QLineEdit*>("No1Lat")->setText("123.5");
  EXPECT_TRUE(marks.invalid("No1Lat"));
  EXPECT_EQ(form.control("No1Lat")->palette().color(QPalette::Base),
            FieldMarks::ErrorTint(form.palette()));
  EXPECT_TRUE(form.control("No1Lat")->toolTip().contains("out of range -90.000000–90.000000"));
  boxes.texts.clear();
  form.button("GEOFenceWrite")->click();
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_TRUE(boxes.texts[0].ends_with(": 123.5 is out of range -90.000000–90.000000"))
      << boxes.texts[0];
  EXPECT_FALSE(controller.engine().busy()) << "nothing sent";
  form.findChild<QLineEdit*>("No1Lat")->setText("-89.5");
  EXPECT_FALSE(marks.invalid("No1Lat"));

  // Compare marks and the verdict go with a Load, and with the tracker.
  const auto compare = [&] {
    boxes.texts.clear();
    controller.readBack().compareAction()->trigger();
    ASSERT_TRUE(pumpUntil([&] { return !boxes.texts.empty() && !controller.engine().busy(); }));
    ASSERT_GT(marks.differCount(), 0);
  };
  const auto* verdict = form.findChild<QLabel*>("CompareStatus");
  compare();
  test::TempFolder folder;
  test::WriteText(folder / "fleet.ini", "[GEO]\n");
  boxes.answer = QMessageBox::Yes;  // discard the unsaved edit
  controller.loadFile(QString::fromStdString((folder / "fleet.ini").string()));
  EXPECT_EQ(marks.differCount(), 0);
  EXPECT_FALSE(verdict->isVisibleTo(&form));
  EXPECT_TRUE(form.windowTitle().endsWith(QStringLiteral(" \u2014 fleet.ini")));
  EXPECT_TRUE(form.panelText(1).startsWith("Loaded "));
  const QList<QAction*> recent = form.findChild<QMenu*>("RecentFiles1")->actions();
  ASSERT_FALSE(recent.isEmpty());
  EXPECT_EQ(recent.front()->data().toString().toStdString(), (folder / "fleet.ini").string());
  compare();
  form.button("OpenPort")->click();  // closed: no tracker to differ from
  EXPECT_EQ(marks.differCount(), 0);
  EXPECT_FALSE(verdict->isVisibleTo(&form));
}

TEST_F(GuideTest, FindUndoRevertAndTheChangesDock) {
  form.show();  // the dock lists while shown
  open();
  run("ReadAll", "Read All Completed!");
  FieldUndo& undo = controller.aids().undo();
  ChangesDock& dock = controller.aids().changesDock();
  form.findChild<QAction*>("Changes1")->trigger();

  // Find goes to a field on another tab, by caption; "no match" is said.
  FindBar& find = controller.aids().findBar();
  form.pageControl()->setCurrentIndex(0);
  find.findAction()->trigger();
  find.edit()->setText("tow time");
  emit find.edit()->returnPressed();
  EXPECT_EQ(form.pageControl()->currentWidget()->objectName(), "TabSheet3");
  EXPECT_EQ(form.focusWidget(), form.control("TowTM"));
  find.edit()->setText("no such field anywhere");
  EXPECT_FALSE(find.findNext());
  EXPECT_EQ(find.result()->text(), "no match");

  // Two field edits and a Load: three steps back.
  type(form, "TowTM", "30");
  type(form, "APN", "fleet.example");
  pumpUntil([&] { return dock.lines().size() == 2; }, 1000);
  EXPECT_TRUE(dock.lines().contains(QStringLiteral("Main \u203A Tow Time: window 30, tracker 0")))
      << dock.lines().join('|').toStdString();
  test::TempFolder folder;
  test::WriteText(folder / "fleet.ini", "[Main]\nTow Time=45\n");
  controller.loadFile(QString::fromStdString((folder / "fleet.ini").string()));
  ASSERT_EQ(text(form, "TowTM"), "45");
  undo.undoAction()->trigger();
  EXPECT_EQ(text(form, "TowTM"), "30") << "the Load is one step";
  EXPECT_EQ(text(form, "APN"), "fleet.example");
  undo.undoAction()->trigger();
  EXPECT_EQ(text(form, "APN"), "");
  undo.undoAction()->trigger();
  EXPECT_EQ(text(form, "TowTM"), "0");
  undo.redoAction()->trigger();
  EXPECT_EQ(text(form, "TowTM"), "30");

  // The field's own menu puts the tracker's value back.
  QWidget* towTime = form.control("TowTM");
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4),
                          towTime->mapToGlobal(QPoint(4, 4)));
  QApplication::sendEvent(towTime, &event);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  auto* revert = menu->findChild<QAction*>("RevertToTrackerValue");
  ASSERT_NE(revert, nullptr);
  ASSERT_TRUE(revert->isEnabled());
  revert->trigger();
  menu->close();
  EXPECT_EQ(text(form, "TowTM"), "0");
  undo.undoAction()->trigger();
  EXPECT_EQ(text(form, "TowTM"), "30") << "a revert is a step too";
}

TEST_F(GuideTest, WriteChangesSendsOnlyTheGroupsThatHoldChanges) {
  open();
  run("ReadAll", "Read All Completed!");
  type(form, "TowTM", "30");
  type(form, "Speed", "120");
  const auto sent = [&] {
    return test::CountOf(controller.traffic().dock().text().toStdString(), " -> ");
  };
  const int before = sent();
  boxes.texts.clear();
  controller.aids().writeChanges().action()->trigger();
  ASSERT_TRUE(pumpUntil([&] { return !boxes.texts.empty() && !controller.engine().busy(); }));
  ASSERT_EQ(boxes.texts.size(), 1u) << "one box for the whole";
  EXPECT_EQ(boxes.texts[0], "Write Changes Completed! 2 fields written (Main).\nVerified");
  EXPECT_EQ(sent() - before, 6)
      << "Main's copy before, its two ranges and their read-back, nothing else";
  EXPECT_TRUE(controller.aids().writeChanges().changedFields().empty());
}

class VanishingTrackerTest : public GuideTest {
 protected:
  VanishingTrackerTest() : GuideTest({"--vanish-after", "5"}) {}
};

TEST_F(VanishingTrackerTest, ReadAllCutShortNamesWhatItReadAndMarksTheRest) {
  controller.FormCreate("/nonexistent/Tracker.ini");
  // Start-up values: Write All asks first, and No writes nothing.
  form.portBox()->setTypedText(QString::fromStdString(sim.port()));
  form.button("OpenPort")->click();
  ASSERT_TRUE(pumpUntil([&] { return form.button("WriteAll")->isEnabled(); }));
  ASSERT_TRUE(
      pumpUntil([&] { return controller.engine().state().activity != Activity::Identifying; }));
  boxes.answer = QMessageBox::No;
  form.button("WriteAll")->click();
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0],
            "The window holds the start-up values, not read from this tracker nor loaded from a "
            "file. Write them to the tracker?");
  EXPECT_FALSE(controller.engine().busy());

  // Poll, identifier, GPRS, Main: then the line goes.
  boxes.texts.clear();
  form.button("ReadAll")->click();
  ASSERT_TRUE(pumpUntil([&] { return !boxes.texts.empty(); }));
  const std::string& box = boxes.texts.back();
  EXPECT_NE(box.find("\nRead: GPRS, Main.\nStill holding earlier values: Interface, "),
            std::string::npos)
      << box;
  QTabWidget* tabs = form.pageControl();
  EXPECT_TRUE(tabs->tabText(3).endsWith("(not read)")) << tabs->tabText(3).toStdString();
  EXPECT_FALSE(tabs->tabText(1).contains("(not read)"));
}

}  // namespace
}  // namespace tracker
