// Shows the read-back views against tracker-sim and saves a screenshot of
// the screen around the window (boxes and tooltips included):
//   tracker_read_back_probe --view changed|compare|verify --shot FILE.png [--dark]
// changed: fields edited after Read All; compare: Compare with Tracker's
// marks and a tooltip; verify: the box of a write the tracker did not keep.
// --dark: under a dark palette, to see that the marks follow it.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <cstdio>

#include "app/e2e_processes.h"
#include "app/editor/editor_controller.h"
#include "app/editor/event_pump.h"
#include "ui/qt/tform1.h"

namespace {

constexpr int kMainTab = 2;

bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 15000) {
  return tracker::test::PumpUntil(done, timeoutMs);
}

void settle(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The screen around the window and whatever stands over it.
bool shoot(const tracker::TForm1& form, const QString& file) {
  const QRect area = form.frameGeometry().adjusted(-4, -4, 4, 4);
  return QGuiApplication::primaryScreen()
      ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
      .save(file);
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

void edit(tracker::TForm1& form, const char* name, const char* value) {
  form.findChild<QLineEdit*>(name)->setText(value);
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
      settle(300);
      shot = shoot(form, file);
    }
    box->accept();
  });
  boxes.start(20);

  form.button(QStringLiteral("OpenPort"))->click();
  pumpUntil([&] { return controller.engine().identified() && !controller.engine().busy(); });
  form.button(QStringLiteral("ReadAll"))->click();
  pumpUntil([&] {
    return form.panelText(1) == QStringLiteral("Read All OK") && !controller.engine().busy();
  });
  settle(200);
  form.pageControl()->setCurrentIndex(kMainTab);
  edit(form, "TowTM", "30");
  edit(form, "Speed", "120");
  edit(form, "APN", "fleet.example");
  if (view == "compare") {
    controller.readBack().compareAction()->trigger();
    pumpUntil([&] {
      return controller.readBack().marks().differCount() > 0 && !controller.engine().busy();
    });
  }
  if (view == "verify") {
    form.button(QStringLiteral("MainWrite"))->click();
    pumpUntil([&] { return shot; });
  }
  settle(1000);  // boxes gone, the window active again
  if (view == "compare") {
    QWidget* towTime = form.control(QStringLiteral("TowTM"));
    QToolTip::showText(towTime->mapToGlobal(QPoint(towTime->width() / 2, towTime->height())),
                       towTime->toolTip(), towTime);
    settle(150);
  }
  if (view != "verify") shot = shoot(form, file);
  return shot ? 0 : 1;
}
