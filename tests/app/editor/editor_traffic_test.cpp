// The window against tracker-sim on a paced line: the status bar's progress
// bar moves through Read All, and View → "Traffic Log" lists the traffic.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>

#include "app/e2e_processes.h"
#include "app/editor/editor_controller.h"
#include "app/editor/event_pump.h"
#include "app/editor/traffic_dock.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
  return test::PumpUntil(done, timeoutMs);
}

int count(const QString& text, const QString& part) {
  return static_cast<int>(text.count(part));
}

TEST(EditorTraffic, ProgressBarMovesThroughReadAllAndTheDockListsTheTraffic) {
  test::SimProcess sim({"--pace", "38400"});  // Read All takes about three seconds
  FixedPortEnumerator ports{{PortInfo{sim.port(), "sim", 0, 0, false}}};
  TForm1 form;
  EditorController controller{form, ports};
  controller.FormCreate("/nonexistent/Tracker.ini");
  form.show();

  // View → "Traffic Log", a menu before Help.
  QStringList menus;
  for (QAction* action : form.menuBar()->actions()) menus << action->text().remove('&');
  EXPECT_EQ(menus.indexOf("View") + 1, menus.indexOf("Help")) << menus.join(",").toStdString();
  auto* item = form.findChild<QAction*>("TrafficLog1");
  auto* dock = form.findChild<TrafficDock*>("TrafficDock");
  ASSERT_TRUE(item != nullptr && dock != nullptr);
  EXPECT_EQ(item->text().remove('&'), "Traffic Log");
  EXPECT_FALSE(dock->isVisible());
  item->trigger();
  EXPECT_TRUE(dock->isVisible());

  form.button("OpenPort")->click();
  ASSERT_TRUE(pumpUntil([&] { return form.button("ReadAll")->isEnabled(); }, 10000));
  auto* bar = form.findChild<QProgressBar*>("OperationProgress");
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->isHidden()) << "nothing planned yet";

  QString box;
  QTimer acceptor;
  QObject::connect(&acceptor, &QTimer::timeout, [&box] {
    if (auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      box = shown->text();
      shown->accept();
    }
  });
  acceptor.start(20);
  std::vector<int> values;
  QStringList texts;
  QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
    values.push_back(value);
    texts << bar->text();
  });
  form.button("ReadAll")->click();
  ASSERT_TRUE(pumpUntil([&] { return !box.isEmpty(); }, 20000));
  EXPECT_EQ(box, "Read All Completed!");
  EXPECT_GE(values.size(), 10u) << "the bar moves, not jumps";
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
  EXPECT_EQ(values.back(), bar->maximum()) << "the plan's total is what crossed the line";
  EXPECT_TRUE(texts.filter("Reading GEO").size() > 0) << texts.join(" | ").toStdString();
  EXPECT_TRUE(pumpUntil([&] { return bar->isHidden(); }, 2000)) << "hidden once done";

  const QString lines = dock->view()->toPlainText();
  EXPECT_GE(count(lines, "-> Authorise 12 5A A5 00 06 50 01"), 1) << lines.toStdString();
  EXPECT_EQ(count(lines, "-> ReadBlock 12 5A A5"), 10) << "the identifier and nine block reads";
  EXPECT_EQ(count(lines, "-> ReadWifi 9 5A A5"), 2);
  EXPECT_GE(count(lines, "<- ReadBlock "), 10);
  EXPECT_EQ(count(lines, "-- Status Read All OK"), 1);
  EXPECT_EQ(lines + "\n", dock->text()) << "the view shows the log's lines";

  dock->copyAll();
  EXPECT_EQ(QApplication::clipboard()->text(), dock->text());
  const test::TempFolder folder;
  const std::string saved = (folder / "traffic.log").string();
  EXPECT_EQ(dock->saveTo(QString::fromStdString(saved)), QString());
  EXPECT_EQ(QString::fromStdString(test::ReadText(saved)), dock->text());
  EXPECT_FALSE(
      dock->saveTo(QString::fromStdString((folder / "no/such/traffic.log").string())).isEmpty());

  // Bounded: the newest 10,000 lines stay, in the log and in the view.
  for (int i = 0; i < 10'050; ++i) dock->log().status("filler " + std::to_string(i));
  EXPECT_EQ(dock->log().lines().size(), 10'000u);
  EXPECT_EQ(dock->view()->blockCount(), 10'000);
  EXPECT_TRUE(dock->view()->toPlainText().endsWith("filler 10049"));
}

}  // namespace
}  // namespace tracker
