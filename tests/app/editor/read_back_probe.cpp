// Shows the read-back views against tracker-sim and saves a screenshot of
// the screen around the window (boxes and tooltips included):
//   tracker_read_back_probe --view changed|compare|verify --shot FILE.png [--dark]
// changed: fields edited after Read All; compare: Compare with Tracker's
// marks and a tooltip; verify: the box of a write the tracker did not keep.
// --dark: under a dark palette, to see that the marks follow it.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <cstdio>

#include "app/e2e_processes.h"
#include "app/editor/editor_controller.h"
#include "app/editor/event_pump.h"
#include "app/editor/probe_steps.h"
#include "ui/qt/tform1.h"

namespace {

constexpr int kMainTab = 2;

bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 15000) {
  return tracker::test::PumpUntil(done, timeoutMs);
}

QPalette darkPalette() {
  QApplication::setStyle(QStringLiteral("Fusion"));
  QPalette p;
  const QColor text(230, 230, 230);
  p.setColor(QPalette::Window, QColor(45, 45, 48));
  p.setColor(QPalette::Base, QColor(30, 30, 32));
  p.setColor(QPalette::Button, QColor(60, 60, 64));
  p.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  for (const auto role :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText}) {
    p.setColor(role, text);
  }
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QString view;
  QString file;
  const QStringList args = app.arguments();
  for (qsizetype i = 1; i + 1 < args.size(); ++i) {
    if (args[i] == "--view") view = args[i + 1];
    if (args[i] == "--shot") file = args[i + 1];
  }
  if (args.contains(QStringLiteral("--dark"))) QApplication::setPalette(darkPalette());
  if (file.isEmpty()) {
    std::fprintf(stderr, "usage: tracker_read_back_probe --view changed|compare|verify --shot F\n");
    return 2;
  }
  tracker::test::SimProcess sim(view == "verify" ? std::vector<std::string>{"--forget-writes", "2"}
                                                 : std::vector<std::string>{});
  tracker::FixedPortEnumerator ports{{tracker::PortInfo{sim.port(), "sim", 0, 0, false}}};
  tracker::TForm1 form;
  tracker::EditorController controller(form, ports);
  controller.FormCreate(QStringLiteral("/nonexistent/Tracker.ini"));
  form.show();

  // Boxes are answered as they come; the verify view shoots its box first.
  bool shot = false;
  QTimer boxes;
  QObject::connect(&boxes, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    if (view == "verify" && box->text().contains(QStringLiteral("Verify failed"))) {
      tracker::test::Settle(300);
      shot = tracker::test::Shoot(form, file);
    }
    box->accept();
  });
  boxes.start(20);

  tracker::test::OpenAndReadAll(form, controller);
  tracker::test::Settle(200);
  form.pageControl()->setCurrentIndex(kMainTab);
  tracker::test::EditThreeFields(form);
  if (view == "compare") {
    tracker::test::CompareWithTracker(controller);
  }
  if (view == "verify") {
    form.button(QStringLiteral("MainWrite"))->click();
    pumpUntil([&] { return shot; });
  }
  tracker::test::Settle(1000);  // boxes gone, the window active again
  if (view == "compare") {
    QWidget* towTime = form.control(QStringLiteral("TowTM"));
    QToolTip::showText(towTime->mapToGlobal(QPoint(towTime->width() / 2, towTime->height())),
                       towTime->toolTip(), towTime);
    tracker::test::Settle(150);
  }
  if (view != "verify") shot = tracker::test::Shoot(form, file);
  return shot ? 0 : 1;
}
