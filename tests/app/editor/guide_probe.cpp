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
#include "app/editor/probe_steps.h"
#include "serial/pty_pair.h"
#include "ui/qt/list_box.h"
#include "ui/qt/tform1.h"

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

  if (view == "noanswer") {
    form.portBox()->setTypedText(QString::fromStdString(silent.path()));
    form.button(QStringLiteral("OpenPort"))->click();
    tracker::test::PumpUntil([&] { return form.panelText(0) == QStringLiteral("No answer"); },
                             15000);
    tracker::test::Settle(300);
    return tracker::test::Shoot(form, file) ? 0 : 1;
  }
  form.portBox()->setTypedText(QString::fromStdString(sim.port()));
  tracker::test::OpenAndReadAll(form, controller);
  tracker::test::Settle(300);
  form.pageControl()->setCurrentIndex(tab);
  if (view == "find") {
    tracker::FindBar& find = controller.aids().findBar();
    find.findAction()->trigger();
    find.edit()->setText(QStringLiteral("speed"));
    find.findNext();
    tracker::test::Settle(300);
  } else if (view == "changes" || view == "menu") {
    form.pageControl()->setCurrentIndex(2);
    tracker::test::EditThreeFields(form);
  }
  if (view == "changes") {
    tracker::test::CompareWithTracker(controller);
    form.findChild<QAction*>(QStringLiteral("Changes1"))->trigger();
    tracker::test::Settle(800);
  }
  if (view == "menu") {
    tracker::test::Settle(300);
    QWidget* field = form.control(QStringLiteral("TowTM"));
    const QPoint at(field->width() / 2, field->height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, field->mapToGlobal(at));
    QApplication::sendEvent(field, &event);
    tracker::test::Settle(400);
  }
  if (view == "maximised") tracker::test::Settle(500);
  return tracker::test::Shoot(form, file) ? 0 : 1;
}
