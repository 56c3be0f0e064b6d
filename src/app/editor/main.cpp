// tracker-editor: the parameter editor's window.

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/editor/demo_ports.h"
#include "app/editor/editor_controller.h"
#include "app/editor/editor_options.h"
#include "app/editor/quit_on_signal.h"
#include "codec/codec.h"
#include "ui/qt/tform1.h"
#ifdef _WIN32
#include "serial/win32/registry_port_enumerator.h"
#else
#include "app/editor/demo_tracker.h"
#include "serial/qt/qt_port_enumerator.h"
#endif

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

#ifdef _WIN32
using PresentPorts = tracker::RegistryPortEnumerator;
// No pseudo-terminals here: the demo's tracker runs inside the editor.
constexpr bool kBuiltInDemo = true;
#else
using PresentPorts = tracker::QtPortEnumerator;
constexpr bool kBuiltInDemo = false;
#endif

// The present ports, and with the demo its tracker's port first.
class DemoPorts {
 public:
  bool startDemo(QString& error) {
    std::string port = tracker::kBuiltInTrackerPort;
#ifndef _WIN32
    demo_ = std::make_unique<tracker::DemoTracker>();
    if (!demo_->start(error)) return false;
    port = demo_->port().toStdString();
#endif
    (void)error;
    withDemo_ = std::make_unique<tracker::DemoPortEnumerator>(present_, port);
    return true;
  }
  const tracker::PortEnumerator& list() const {
    return withDemo_ ? *withDemo_ : static_cast<const tracker::PortEnumerator&>(present_);
  }

 private:
  PresentPorts present_;
#ifndef _WIN32
  std::unique_ptr<tracker::DemoTracker> demo_;
#endif
  std::unique_ptr<tracker::PortEnumerator> withDemo_;
};

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

  DemoPorts ports;
  if (options.demo) {
    QString error;
    if (!ports.startDemo(error)) {
      QMessageBox::critical(nullptr, QStringLiteral("tracker-editor"), error);
      return 1;
    }
  }
  tracker::TForm1 form;
  tracker::EditorController controller(form, ports.list());
  if (options.demo && kBuiltInDemo) controller.useBuiltInTracker();
  controller.Start(/*keepPort=*/options.demo);
  form.show();
  return QApplication::exec();
}
