// The demo's tracker inside the editor (Windows has no pseudo-terminals for
// tracker-sim): the real window opens port "DEMO", identifies the tracker,
// reads everything, writes with verification, and the tracker keeps what was
// written across a close and reopen. Runs under Wine as well.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <string>
#include <vector>

#include "app/editor/editor_controller.h"
#include "app/editor/event_pump.h"
#include "ui/qt/list_box.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

class EditorBuiltInTrackerTest : public ::testing::Test {
 protected:
  EditorBuiltInTrackerTest() {
    Preferences(QString()).rememberVerifyAfterWriting(true);
    controller = std::make_unique<EditorController>(form, ports);
    controller->useBuiltInTracker();
    controller->FormCreate("/nonexistent/Tracker.ini");
    // Every box is taken as it appears, its text kept.
    boxes.setInterval(10);
    QObject::connect(&boxes, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts.push_back(box->text().toStdString());
        box->accept();
      }
    });
    boxes.start();
  }
  void openAndIdentify() {
    form.button("OpenPort")->click();
    ASSERT_TRUE(test::PumpUntil([&] { return form.button("ReadAll")->isEnabled(); }, 10000));
  }
  void run(const char* button, const std::string& box) {
    texts.clear();
    form.button(button)->click();
    ASSERT_TRUE(test::PumpUntil([&] { return !texts.empty(); }, 20000)) << button;
    EXPECT_EQ(texts.back(), box);
  }
  QLineEdit* edit(const char* name) const { return form.findChild<QLineEdit*>(name); }

  FixedPortEnumerator ports{{PortInfo{kBuiltInTrackerPort, "Simulated tracker", 0, 0, false}}};
  TForm1 form;
  std::unique_ptr<EditorController> controller;
  QTimer boxes;
  std::vector<std::string> texts;
};

TEST_F(EditorBuiltInTrackerTest, ReadsWritesVerifiedAndKeepsWhatWasWritten) {
  EXPECT_EQ(form.portBox()->currentText(), kBuiltInTrackerPort);
  openAndIdentify();
  EXPECT_EQ(form.panelText(0), "Connected");
  EXPECT_EQ(edit("DeviceID")->text(), "860000000000001");
  run("ReadAll", "Read All Completed!");

  edit("TowTM")->setText("30");
  run("MainWrite", "Write Main Completed!\nVerified");

  form.button("OpenPort")->click();  // closes
  ASSERT_TRUE(test::PumpUntil([&] { return form.panelText(0) == "Disconnect"; }, 5000));
  edit("TowTM")->setText("0");
  openAndIdentify();
  run("ReadAll", "Read All Completed!");
  EXPECT_EQ(edit("TowTM")->text(), "30");
}

}  // namespace
}  // namespace tracker
