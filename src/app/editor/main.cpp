// tracker-editor: the parameter editor's window.

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/editor/demo_tracker.h"
#include "app/editor/editor_controller.h"
#include "app/editor/editor_options.h"
#include "app/editor/quit_on_signal.h"
#include "codec/codec.h"
#include "serial/qt/qt_port_enumerator.h"
#include "ui/qt/tform1.h"

namespace {

std::vector<std::string> arguments(const QStringList& list) {
  std::vector<std::string> args;
  for (qsizetype i = 1; i < list.size(); ++i) args.push_back(list[i].toStdString());
  return args;
}

// --help and --version print and exit without a display.
int printText(const tracker::EditorOptions& options) {
  std::fputs(
      options.help ? tracker::EditorUsageText().c_str() : tracker::EditorVersionText().c_str(),
      stdout);
  return 0;
}

// Every control a codec table names must exist in the window.
void checkTables() {
#ifndef NDEBUG
  for (const std::string& name : tracker::UnknownCodecControls()) {
    std::fprintf(stderr, "codec table names an unknown control: %s\n", name.c_str());
  }
  if (!tracker::UnknownCodecControls().empty()) std::abort();
#endif
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> raw(argv + 1, argv + argc);
  if (tracker::AsksForText(raw)) return printText(tracker::ParseEditorOptions(raw));
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tracker-editor"));
  QApplication::setApplicationVersion(QStringLiteral(TRACKER_VERSION));
  // The installed icon and desktop entry (a Wayland desktop matches the window
  // to the entry by this name).
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tracker-editor")));
  QGuiApplication::setDesktopFileName(QStringLiteral("example.kelvorin.TrackerEditor"));
  // Qt has taken its own options out of the line by now.
  const tracker::EditorOptions options = tracker::ParseEditorOptions(arguments(app.arguments()));
  if (!options.error.empty()) {
    std::fprintf(stderr, "tracker-editor: %s (see --help)\n", options.error.c_str());
    return 2;
  }
  checkTables();
  tracker::QuitOnTerminationSignals();

  tracker::QtPortEnumerator presentPorts;
  std::unique_ptr<tracker::DemoTracker> demo;
  std::unique_ptr<tracker::PortEnumerator> demoPorts;
  const tracker::PortEnumerator* ports = &presentPorts;
  if (options.demo) {
    demo = std::make_unique<tracker::DemoTracker>();
    QString error;
    if (!demo->start(error)) {
      QMessageBox::critical(nullptr, QStringLiteral("tracker-editor"), error);
      return 1;
    }
    demoPorts =
        std::make_unique<tracker::DemoPortEnumerator>(presentPorts, demo->port().toStdString());
    ports = demoPorts.get();
  }

  tracker::TForm1 form;
  tracker::EditorController controller(form, *ports);
  controller.Start(/*keepPort=*/demo != nullptr);
  form.show();
  return QApplication::exec();
}
