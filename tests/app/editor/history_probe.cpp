// Shows File → "History…" after a few writes to tracker-sim and saves a
// screenshot of the dialog:  tracker_history_probe --shot FILE.png

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/e2e_processes.h"
#include "app/editor/editor_controller.h"
#include "app/editor/event_pump.h"
#include "app/editor/history_dialog.h"
#include "ui/qt/tform1.h"

int main(int argc, char** argv) {
  QTemporaryDir data;  // a history of its own
  qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  const qsizetype at = args.indexOf("--shot");
  if (at < 0 || at + 1 >= args.size()) {
    std::fprintf(stderr, "usage: tracker_history_probe --shot FILE.png\n");
    return 2;
  }
  const QString file = args[at + 1];
  tracker::test::SimProcess sim({});
  tracker::FixedPortEnumerator ports{{tracker::PortInfo{sim.port(), "sim", 0, 0, false}}};
  tracker::TForm1 form;
  tracker::EditorController controller(form, ports);
  controller.FormCreate(QStringLiteral("/nonexistent/Tracker.ini"));
  int boxesSeen = 0;
  QTimer boxes;  // boxes are answered as they come
  QObject::connect(&boxes, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      ++boxesSeen;
      box->accept();
    }
  });
  boxes.start(20);
  form.show();
  const auto run = [&](const char* button) {
    const int before = boxesSeen;
    form.button(button)->click();
    tracker::test::PumpUntil([&] { return boxesSeen > before && !controller.engine().busy(); },
                             20000);
  };
  form.button("OpenPort")->click();
  tracker::test::PumpUntil(
      [&] { return !form.findChild<QLineEdit*>("DeviceID")->text().isEmpty(); }, 10000);
  tracker::test::PumpUntil([&] { return !controller.engine().busy(); }, 5000);
  run("ReadAll");
  form.findChild<QLineEdit*>("TowTM")->setText("30");
  run("MainWrite");
  form.findChild<QLineEdit*>("APN")->setText("fleet.example");
  run("GPRSWrite");
  run("WriteAll");
  bool saved = false;
  QTimer::singleShot(800, [&] {
    auto* dialog = qobject_cast<tracker::HistoryDialog*>(QApplication::activeModalWidget());
    if (dialog != nullptr) {
      saved = dialog->grab().save(file);
      dialog->reject();
    }
  });
  form.historyAction()->trigger();
  return saved ? 0 : 1;
}
