// The window against tracker-sim: Load Settings of a partial file leaves what
// the file lacks alone, a write keeps the copy before, and File → "History…"
// writes a kept copy back to the tracker.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include "app/e2e_processes.h"
#include "app/editor/box_answerer.h"
#include "app/editor/editor_controller.h"
#include "app/editor/event_pump.h"
#include "app/editor/history_dialog.h"
#include "app/editor/window_history.h"
#include "settings/settings_file.h"
#include "ui/memory_controls.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

using Boxes = test::Boxes;

class EditorHistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());  // a history of this test's own
    controller = std::make_unique<EditorController>(form, ports);
    controller->FormCreate("/nonexistent/Tracker.ini");
    form.button("OpenPort")->click();
    ASSERT_TRUE(test::PumpUntil([&] { return !text("DeviceID").empty(); }, 10000));
    ASSERT_TRUE(test::PumpUntil(
        [&] { return controller->engine().state().activity != Activity::Identifying; }, 10000));
    run("ReadAll");
  }
  void run(const char* button) {
    boxes.texts.clear();
    form.button(button)->click();
    ASSERT_TRUE(test::PumpUntil([&] { return !boxes.texts.empty(); }, 15000)) << button;
  }
  std::string text(const char* name) const {
    return form.findChild<QLineEdit*>(name)->text().toStdString();
  }
  void edit(const char* name, const char* value) {
    form.findChild<QLineEdit*>(name)->setText(value);
  }

  QTemporaryDir data;
  test::TempFolder folder;
  test::SimProcess sim{{}};
  FixedPortEnumerator ports{{PortInfo{sim.port(), "sim", 0, 0, false}}};
  TForm1 form;
  std::unique_ptr<EditorController> controller;
  Boxes boxes;
};

TEST_F(EditorHistoryTest, LoadSettingsOfAPartialFileLeavesTheRestAlone) {
  edit("TowTM", "30");  // unsaved: the load asks first (Yes)
  // Every GPRS key but one; no other section.
  std::string partial = SettingsFileText({}, MemoryControls(), {"GPRS"});
  const auto key = partial.find("\nAPN Name=");
  partial.erase(key + 1, partial.find('\n', key + 1) - key);
  partial.replace(partial.find("APN=") + 4, 0, "partial.example");
  test::WriteText(folder / "p.ini", partial);
  const std::string apnName = text("APNName");
  boxes.texts.clear();
  controller->loadFile(QString::fromStdString((folder / "p.ini").string()));
  EXPECT_EQ(text("APN"), "partial.example");
  EXPECT_EQ(text("APNName"), apnName) << "a key the file lacks keeps the field";
  EXPECT_EQ(text("TowTM"), "30") << "a tab the file lacks is untouched";
  EXPECT_TRUE(form.panelText(1).endsWith(
      "; p.ini holds no [Main], [Interface], [WIFI], [Auth], [GEO], [Event], [DLT]: left as "
      "they are; [GPRS] APN Name: not in p.ini, kept"))
      << form.panelText(1).toStdString();

  test::WriteText(folder / "none.ini", "no settings here\r\n");
  boxes.texts.clear();
  controller->loadFile(QString::fromStdString((folder / "none.ini").string()));
  EXPECT_EQ(text("APN"), "partial.example") << "nothing changed";
  ASSERT_FALSE(boxes.texts.empty());
  EXPECT_TRUE(test::Has(boxes.texts.back(), "none.ini holds no tracker settings"));
}

TEST_F(EditorHistoryTest, AWriteKeepsTheCopyAndTheHistoryDialogRestoresIt) {
  const std::string held = text("TowTM");
  edit("TowTM", "30");
  run("MainWrite");
  EXPECT_EQ(boxes.texts.back(), "Write Main Completed!\nVerified");
  EXPECT_EQ(form.findChild<QLabel*>("HistoryNote")->text(),
            "Write Main: the copy before was kept (history record 1)");

  // The dialog lists the connected tracker's record; Restore asks, then writes.
  QTimer::singleShot(100, [] {
    auto* dialog = qobject_cast<HistoryDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* list = dialog->findChild<QTreeWidget*>("HistoryList");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(4), "Write Main");
    dialog->findChild<QPushButton*>("HistoryRestore")->click();
  });
  boxes.texts.clear();
  form.historyAction()->trigger();
  ASSERT_TRUE(test::PumpUntil([&] { return boxes.texts.size() >= 2; }, 15000));
  EXPECT_TRUE(boxes.texts[0].starts_with("Write the copy kept in record 1 back")) << boxes.texts[0];
  EXPECT_EQ(boxes.texts[1], "Restored record 1:\nWrite Main Completed!\nVerified");
  EXPECT_EQ(text("TowTM"), held);
  const std::vector<HistoryRecord> records = controller->history().database().list();
  ASSERT_EQ(records.size(), 2u) << "the restore is recorded too";
  EXPECT_EQ(records.front().file, "record 1");
}

}  // namespace
}  // namespace tracker
