// Shows the window in the middle of a Read All from a paced simulator, with
// the traffic log open, and saves a picture of it for a look at the layout.
//   tracker_traffic_probe OUT.png
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QProgressBar>
#include <cstdio>

#include "app/e2e_processes.h"
#include "app/editor/editor_controller.h"
#include "app/editor/event_pump.h"
#include "ui/qt/tform1.h"

namespace {

bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
  return tracker::test::PumpUntil(done, timeoutMs);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: tracker_traffic_probe OUT.png\n");
    return 2;
  }
  using namespace tracker;
  test::SimProcess sim({"--pace", "19200"});
  FixedPortEnumerator ports{{PortInfo{sim.port(), "sim", 0, 0, false}}};
  TForm1 form;
  EditorController controller{form, ports};
  controller.FormCreate("/nonexistent/Tracker.ini");
  form.resize(900, 900);
  form.show();
  form.findChild<QAction*>("TrafficLog1")->trigger();
  form.button("OpenPort")->click();
  if (!pumpUntil([&] { return form.button("ReadAll")->isEnabled(); }, 10000)) return 1;
  form.button("ReadAll")->click();
  auto* bar = form.findChild<QProgressBar*>("OperationProgress");
  if (!pumpUntil([&] { return bar->isVisible() && bar->value() * 2 > bar->maximum(); }, 20000)) {
    return 1;
  }
  pumpUntil([] { return false; }, 200);  // let the dock's list settle
  if (!form.grab().save(QString::fromLocal8Bit(argv[1]))) return 1;
  std::printf("%s\n", argv[1]);
  sim.stop();
  std::_Exit(0);  // mid-operation: no questions on the way out
}
