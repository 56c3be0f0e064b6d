// Shows the views that guide the technician, against tracker-sim, and saves a
// screenshot of the screen around the window (popups included):
//   tracker_guide_probe --view noanswer|find|changes|menu|maximised --shot FILE.png [--tab N]
// noanswer: a port where nothing answers; find: Find on a field of another
// tab; changes: the Changes dock after edits and a compare; menu: a field's
// context menu; maximised: the window maximised on tab N.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "app/e2e_processes.h"
#include "app/editor/editor_aids.h"
#include "app/editor/editor_controller.h"
#include "app/editor/event_pump.h"
#include "app/editor/find_bar.h"
#include "serial/pty_pair.h"
#include "ui/qt/list_box.h"
#include "ui/qt/tform1.h"

namespace {

void settle(int ms) {
  tracker::test::PumpUntil([] { return false; }, ms);
}

bool shoot(const QWidget& form, const QString& file) {
  const QRect area = form.frameGeometry().adjusted(-4, -4, 4, 4);
  return QGuiApplication::primaryScreen()
      ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
      .save(file);
}

void edit(tracker::TForm1& form, const char* name, const char* value) {
  auto* field = form.findChild<QLineEdit*>(name);
  field->setText(value);
  emit field->editingFinished();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QString view;
  QString file;
  int tab = 0;
  const QStringList args = app.arguments();
  for (qsizetype i = 1; i + 1 < args.size(); ++i) {
    if (args[i] == "--view") view = args[i + 1];
    if (args[i] == "--shot") file = args[i + 1];
    if (args[i] == "--tab") tab = args[i + 1].toInt();
  }
  if (file.isEmpty()) {
    std::fprintf(stderr, "usage: tracker_guide_probe --view VIEW --shot FILE [--tab N]\n");
    return 2;
  }
  tracker::test::SimProcess sim({});
  tracker::test::PtyPair silent;
  tracker::FixedPortEnumerator ports{{tracker::PortInfo{"ttyS0", "", 0, 0, false},
                                      tracker::PortInfo{sim.port(), "sim", 0, 0, false}}};
  tracker::TForm1 form;
  tracker::EditorController controller(form, ports);
  controller.FormCreate(QStringLiteral("/nonexistent/Tracker.ini"));
  QTimer boxes;  // boxes are answered as they come
  QObject::connect(&boxes, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
  });
  boxes.start(20);
  form.show();
  // Without a window manager, maximised is the whole of the screen's room.
  if (view == "maximised") form.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
  const auto pump = [](const std::function<bool()>& done) {
    return tracker::test::PumpUntil(done, 15000);
  };

  if (view == "noanswer") {
    form.portBox()->setTypedText(QString::fromStdString(silent.path()));
    form.button(QStringLiteral("OpenPort"))->click();
    pump([&] { return form.panelText(0) == QStringLiteral("No answer"); });
    settle(300);
    return shoot(form, file) ? 0 : 1;
  }
  form.portBox()->setTypedText(QString::fromStdString(sim.port()));
  form.button(QStringLiteral("OpenPort"))->click();
  pump([&] { return controller.engine().identified() && !controller.engine().busy(); });
  form.button(QStringLiteral("ReadAll"))->click();
  pump([&] {
    return form.panelText(1) == QStringLiteral("Read All OK") && !controller.engine().busy();
  });
  settle(300);
  form.pageControl()->setCurrentIndex(tab);
  if (view == "find") {
    tracker::FindBar& find = controller.aids().findBar();
    find.findAction()->trigger();
    find.edit()->setText(QStringLiteral("speed"));
    find.findNext();
    settle(300);
  } else if (view == "changes" || view == "menu") {
    form.pageControl()->setCurrentIndex(2);
    edit(form, "TowTM", "30");
    edit(form, "Speed", "120");
    edit(form, "APN", "fleet.example");
  }
  if (view == "changes") {
    controller.readBack().compareAction()->trigger();
    pump([&] {
      return controller.readBack().marks().differCount() > 0 && !controller.engine().busy();
    });
    form.findChild<QAction*>(QStringLiteral("Changes1"))->trigger();
    settle(800);
  }
  if (view == "menu") {
    settle(300);
    QWidget* field = form.control(QStringLiteral("TowTM"));
    const QPoint at(field->width() / 2, field->height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, field->mapToGlobal(at));
    QApplication::sendEvent(field, &event);
    settle(400);
  }
  if (view == "maximised") settle(500);
  return shoot(form, file) ? 0 : 1;
}
