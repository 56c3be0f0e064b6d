// tracker-editor: the parameter editor's window.

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/editor/demo_tracker.h"
#include "app/editor/editor_controller.h"
#include "app/editor/quit_on_signal.h"
#include "codec/codec.h"
#include "serial/qt/qt_port_enumerator.h"
#include "ui/qt/tform1.h"

namespace {

bool hasArgument(int argc, char** argv, const char* wanted) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], wanted) == 0) return true;
  }
  return false;
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
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tracker-editor"));
  checkTables();
  tracker::QuitOnTerminationSignals();

  tracker::QtPortEnumerator presentPorts;
  std::unique_ptr<tracker::DemoTracker> demo;
  std::unique_ptr<tracker::PortEnumerator> demoPorts;
  const tracker::PortEnumerator* ports = &presentPorts;
  if (hasArgument(argc, argv, "--demo")) {
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
  controller.FormCreate(QDir(QCoreApplication::applicationDirPath()).filePath("Tracker.ini"));
  form.show();
  return QApplication::exec();
}
