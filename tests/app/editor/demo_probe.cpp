// The window against a tracker without tracker-sim's pseudo-terminal: the
// demo's built-in tracker, or with --port a serial port (under Wine, COM7 led
// to tracker-sim on the Linux side). Opens, reads everything and saves a
// picture of every tab; with --port also writes everything, verified.
//   tracker_demo_probe [--port NAME] OUT-FOLDER
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/editor/editor_controller.h"
#include "app/editor/event_pump.h"
#include "ui/qt/tform1.h"

namespace {

using namespace tracker;

// Takes every box as it appears and keeps the text of the last one.
class Boxes {
 public:
  Boxes() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown = box->text();
        box->accept();
      }
    });
    timer_.start(10);
  }
  QString shown;

 private:
  QTimer timer_;
};

// Clicks the button; true when the operation ends with the box text.
bool run(TForm1& form, Boxes& boxes, const char* button, const QString& box) {
  boxes.shown.clear();
  form.button(button)->click();
  if (test::PumpUntil([&] { return !boxes.shown.isEmpty(); }, 60000) && boxes.shown == box) {
    return true;
  }
  std::fprintf(stderr, "%s: %s\n", button, qPrintable(boxes.shown));
  return false;
}

bool shootTabs(TForm1& form, const QDir& out) {
  QTabWidget* tabs = form.pageControl();
  for (int tab = 0; tab < tabs->count(); ++tab) {
    tabs->setCurrentIndex(tab);
    test::PumpUntil([] { return false; }, 300);
    const QString name =
        QStringLiteral("windows-tab-%1-%2.png").arg(tab + 1).arg(tabs->tabText(tab));
    if (!form.grab().save(out.filePath(name))) return false;
    std::printf("%s\n", qPrintable(out.filePath(name)));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  const bool serial = args.size() == 4 && args[1] == "--port";
  if (args.size() != 2 && !serial) {
    std::fprintf(stderr, "usage: tracker_demo_probe [--port NAME] OUT-FOLDER\n");
    return 2;
  }
  const std::string port = serial ? args[2].toStdString() : kBuiltInTrackerPort;
  FixedPortEnumerator ports{{PortInfo{port, "tracker", 0, 0, false}}};
  TForm1 form;
  EditorController controller{form, ports};
  if (!serial) controller.useBuiltInTracker();
  controller.engine().setVerifyAfterWriting(true);
  controller.FormCreate("/nonexistent/Tracker.ini");
  form.show();
  Boxes boxes;
  form.button("OpenPort")->click();
  if (!test::PumpUntil([&] { return form.button("ReadAll")->isEnabled(); }, 30000)) {
    std::fprintf(stderr, "not connected: %s\n", qPrintable(form.panelText(0)));
    return 1;
  }
  if (!run(form, boxes, "ReadAll", "Read All Completed!")) return 1;
  if (!shootTabs(form, QDir(args.last()))) return 1;
  if (serial && !run(form, boxes, "WriteAll", "Write All Completed!\nVerified")) return 1;
  return 0;
}
